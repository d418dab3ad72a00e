#pragma once
// A replace list as the native command reads it, besides the window's reading: a list
// written in UTF-8 (the natural choice on Linux) is read as UTF-8 and its texts taken as -F
// and -R are (converted to code page 932, or kept in UTF-8 for the files that can hold a
// character it cannot), and option letters the list format does not know
// are an error rather than a literal pattern.
#include <string>

#include "engine/pattern/ReplacePattern.h"

// Checks the list at `path`, whose patterns the window's reader gave as `patterns`, and
// converts them when the list is UTF-8. The problem, naming the line, when there is one.
std::string TakeNativeList(const std::string& path, PatternList& patterns);
