#pragma once
// What the main window takes at start, from its command line and the settings file.
#include <string>

#include "engine/pattern/PatternOptions.h"

class SettingsStore;
struct CommandLineOptions;

struct MainDialogStartValues {
    std::string ReplaceListName;    // the replace list in use at start, to be searched and loaded
    std::string LastAddFolder;      // where the add dialog opens
    std::string FindText;
    std::string ReplaceText;
    PatternOptions Options = 0;     // the six option boxes
    int BackUp = 0;
    int FullAutomatic = 0;
    int SubfolderRule = 0;
    std::string ExtensionListText;  // in the form of SETTING/AbleExt
    bool AutomaticMode = false;
};

// The command line's values where it gives them; otherwise the settings file's, the
// remembered texts and options only with SETTING/MemLast on. A regular expression asked
// for stays one without the library too: the run then refuses it rather than take the
// expression for literal text.
MainDialogStartValues StartValuesFrom(const CommandLineOptions& options, const SettingsStore& settings);

// The options named by the letters of an -O value (lowered): "s", "c", "e", "k", "m", "i",
// each anywhere in the value; other characters mean nothing.
PatternOptions OptionsFromSwitchLetters(const std::string& letters);
