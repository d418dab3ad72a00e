#pragma once
// What the settings dialog edits: the keys of SETTING and PROCESS, read when it opens and
// all written when it is confirmed. The replace list is the text of the dialog's combo box
// and travels separately.
#include <string>

class SettingsStore;

struct SettingsDialogValues {
    int RememberLastPatterns = 0;  // SETTING/MemLast
    int ShowLog = 0;               // SETTING/ShowLog
    int WalkSubfolders = 0;        // SETTING/SubEntry
    std::string Editor;            // SETTING/Editor
    std::string Sound;             // SETTING/PlayWave
    std::string Extensions;        // SETTING/AbleExt
    int WholeRegexByLibrary = 0;   // PROCESS/Bregexp
    int Background = 0;            // PROCESS/Priority
    int ShiftJisOnly = 0;          // PROCESS/ShiftJisOnly
};

// Each key with its default: MemLast, SubEntry, AbleExt, Editor, ShowLog, PlayWave,
// Bregexp, Priority, ShiftJisOnly.
SettingsDialogValues ReadSettingsDialogValues(const SettingsStore& settings);

// All ten keys, changed or not, in this order: MemLast, SubEntry, ShowLog, AbleExt,
// Editor, PlayWave, ReplaceList, Bregexp, Priority, ShiftJisOnly. An empty `replaceList`
// (the box found no list to offer, and the user named none) keeps the configured one.
void WriteSettingsDialogValues(SettingsStore& settings, const SettingsDialogValues& values,
                               const std::string& replaceList);

// The folder a browse for the editor or the sound opens in: the text up to its last
// separator, or the program directory when that part is missing or empty.
std::string BrowseStartFolder(const std::string& memberText, const std::string& programDirectory);
