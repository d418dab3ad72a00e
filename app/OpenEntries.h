#pragma once
// Opening listed files in the text editor or with their associated program.
#include <cstddef>
#include <string>
#include <vector>

class FileListControl;

// More selected entries than this are not opened at all.
inline constexpr std::size_t MostEntriesOpened = 10;

std::size_t SelectedCount(const FileListControl& control);
// Whether the open commands apply: at least one entry and at most MostEntriesOpened selected.
bool CanOpenSelection(const FileListControl& control);

// The selected entries from the top of the list down; none when more than
// MostEntriesOpened are selected.
std::vector<std::string> EntriesToOpen(const FileListControl& control);

// A program started for one entry.
struct ProcessStart {
    std::string CommandLine;
    // Empty when the entry names no folder: the program then starts in the current one.
    std::string WorkingFolder;
};

// The folder of an entry: the entry up to its last separator, not included.
std::string FolderOfEntry(const std::string& path);

// The editor and the entry, each in double quotes: "editor" "entry".
ProcessStart EditorStart(const std::string& editor, const std::string& path);
