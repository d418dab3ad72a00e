// pattern/: what the user typed: the pattern and its options, escape sequences, the replacement template, a regular expression's command, the pattern in each encoding.
#pragma once
#include <string>
#include <vector>

#include "engine/pattern/PatternOptions.h"
#include "engine/text/TextEncoding.h"

// One search/replace pair, both texts exactly as entered.
struct ReplacePattern {
    std::string Find;
    std::string Replace;
    PatternOptions Options = 0;
    // The encoding the texts were entered in: Shift-JIS, the program's own, or UTF-8 for a
    // text from a UTF-8 terminal that code page 932 cannot hold (é, an emoji), which only
    // files that can hold it are given.
    TextEncoding Typed = TextEncoding::ShiftJis;

    bool operator==(const ReplacePattern&) const = default;
};

// The patterns of a replace list, applied first to last.
using PatternList = std::vector<ReplacePattern>;
