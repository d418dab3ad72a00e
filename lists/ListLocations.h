#pragma once
// Where the list files live: beside the executable, unless a list is named by an absolute
// path.
#include <string>
#include <string_view>

inline constexpr char HistoryFileName[] = "$History.lst";
inline constexpr char DefaultListFileName[] = "replace.lst";
inline constexpr char LegacyListFileName[] = "list.dat";

// An absolute path unchanged; any other behind the program directory.
std::string ResolveListPath(std::string_view path);

// The program directory followed by "$History.lst".
std::string HistoryFilePath();
// The program directory followed by "replace.lst": the list used when none is configured.
std::string DefaultReplaceListPath();
