#pragma once
// A regular expression as the library takes it, checked where the user enters it.
#include <string>

#include "engine/pattern/ReplacePattern.h"

class BregexpLibrary;

// Empty when `library` compiles the find text of `pattern` as the run would give it;
// otherwise the library's own words about it (in English).
std::string ExpressionRejection(const ReplacePattern& pattern, const BregexpLibrary& library);

// What the user reads when the library does not accept an expression: a Japanese sentence
// before and around the library's English words.
std::string RejectedExpressionText(const std::string& lead, const std::string& expression,
                                   const std::string& libraryMessage);
