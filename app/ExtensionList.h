#pragma once
// The file extensions the file list accepts, built from patterns such as "*.txt;*.htm".
#include <string>
#include <string_view>
#include <vector>

// The allowed extensions, lowered, without their dot; an empty one admits names without
// an extension, and one that begins with "*" admits every file.
using ExtensionList = std::vector<std::string>;

// Splits the lowered text at ";", trims blanks (also full-width ones) around each piece,
// skips empty pieces and takes from each piece the part after its last "." (possibly
// empty); a piece without a "." adds nothing, but "*" adds an entry that admits every file.
ExtensionList BuildExtensionList(std::string_view text);

// The part of the whole path after its last "." (empty without a dot; a dot in a folder
// name counts) matches an entry in either letter case, or some entry begins with "*".
bool PassesExtensionCheck(const ExtensionList& extensions, std::string_view path);
