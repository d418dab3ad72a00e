#pragma once
// The program's command line: switches that preset, for one start, what the main window
// would otherwise take from the settings file, and the files to put into its file list.
#include <optional>
#include <string>
#include <vector>

class SettingsStore;

struct CommandLineOptions {
    bool AutomaticMode = false;  // -H: one run at once, no window
    int IncludeSubfolders = 0;   // -S; nonzero is on
    int MakeBackup = 0;          // -B
    int FullAutomatic = 0;       // -A
    // A present text may be empty; an empty text still counts as given.
    std::optional<std::string> AllowedExtensions;  // -E, in the form of SETTING/AbleExt
    std::optional<std::string> ReplaceListFile;    // -L
    std::optional<std::string> OptionLetters;      // -O, lowered
    std::optional<std::string> ReplaceText;        // -R
    std::optional<std::string> FindText;           // -F
    std::vector<std::string> FileArguments;        // files, folders and "@" file-name lists
};

// Whether an argument after the first is exactly a switch character and "c" in either
// case: it clears every default the settings file would give.
bool HasClearSwitch(const std::vector<std::string>& arguments);

// The fields before any switch is read: from the settings file, or all cleared (the texts
// present and empty) with the clear switch.
CommandLineOptions InitialCommandLineOptions(bool cleared, const SettingsStore& settings);

// Reads the argument vector, whose first element is the program and is never examined.
// The fields start from the settings file, or all cleared with the clear switch; switches
// with an unknown or missing letter, or a value their rule does not take, are ignored.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments, const SettingsStore& settings);
