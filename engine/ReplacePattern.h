#pragma once
#include <string>
#include <vector>

#include "engine/PatternOptions.h"

// One search/replace pair, both texts exactly as entered.
struct ReplacePattern {
    std::string Find;
    std::string Replace;
    PatternOptions Options = 0;

    bool operator==(const ReplacePattern&) const = default;
};

// The patterns of a replace list, applied first to last.
using PatternList = std::vector<ReplacePattern>;
