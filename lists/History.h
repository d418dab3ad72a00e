#pragma once
// The history of patterns used in the main window: a replace list, newest first, of at
// most 20 lines.
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/pattern/PatternOptions.h"

inline constexpr std::size_t HistoryLength = 20;

// Puts the pattern's line at the top of the history file `path`, removing the first equal
// line further down and keeping the newest 20. A history that cannot be read starts empty;
// one that cannot be written is left alone, silently.
void UpdateHistoryFile(const std::string& path, std::string_view find, std::string_view replace,
                       PatternOptions options);

// The same for "$History.lst" in the program directory.
void UpdateHistory(std::string_view find, std::string_view replace, PatternOptions options);
