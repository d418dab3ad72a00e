#pragma once
#include <string>

// What a run of this command line would take where no option says otherwise.
struct DefaultsInForce {
    std::string SettingsPath;
    bool SettingsFileExists = false;
    bool Backup = false;
    bool FullAutomatic = false;
    bool Subfolders = false;
    std::string Extensions;   // in the form of SETTING/AbleExt
    std::string ReplaceList;  // the replace list -A uses
};

// The text of -h and --help, in the program's Shift-JIS: every option, the option letters,
// the replacement syntax, the defaults in force and the exit status.
std::string UsageText(const DefaultsInForce& defaults);
