#pragma once
// The table every log of the program is laid out in: a header naming the last column, one
// line per file with its path padded to a column of 46 bytes and an 8-byte column, and
// a totals line; 54 columns of Shift-JIS bytes, CR LF line ends.
#include <cstdint>
#include <string>

// The two header lines, with `column` (8 bytes) over the last column.
std::string LogHeading(const char* column);
// One file's line: its shortened path, then the 8 bytes of `column`.
std::string LogRow(const std::string& path, const char* column);
// The two totals lines: `label`, then `total` right-aligned to the end of the line.
std::string LogTotals(const char* label, std::int64_t total);
