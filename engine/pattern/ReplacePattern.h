// pattern/: what the user typed: the pattern and its options, escape sequences, the replacement template, a regular expression's command, the pattern in each encoding.
#pragma once
#include <string>
#include <vector>

#include "engine/pattern/PatternOptions.h"

// One search/replace pair, both texts exactly as entered.
struct ReplacePattern {
    std::string Find;
    std::string Replace;
    PatternOptions Options = 0;

    bool operator==(const ReplacePattern&) const = default;
};

// The patterns of a replace list, applied first to last.
using PatternList = std::vector<ReplacePattern>;
