#pragma once
#include <string>
#include <vector>

// Short files as trees are full of: a word or a few, one line of a list or a setting, a word
// of kanji alone (the hardest), with and without a line end, in Shift-JIS, made of the
// words of bench/short-words.txt (real Japanese phrases) and of seven-bit tokens.
struct ShortTextKind {
    std::string Name;
    std::vector<std::string> ShiftJis;  // the files' texts, in Shift-JIS
};

// `files` texts of each kind; empty when the word list cannot be read.
std::vector<ShortTextKind> MakeShortTexts(int files);
