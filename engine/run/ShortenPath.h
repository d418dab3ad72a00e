#pragma once
#include <cstddef>
#include <string>

// The longest path a line of the result log shows as it is.
inline constexpr std::size_t ShortenedPathLimit = 45;

// Fits a path into the log's file column: the folders after the first collapse into one
// "..." from the left; when that is not enough, the middle of the whole path is cut.
std::string ShortenPath(const std::string& path);
