#pragma once
// The values of the main window that its two transfers move between the controls and the
// dialog: the eight check boxes as 0 or 1 and the texts of the find and replace boxes.
#include <string>

#include "engine/ReplacePattern.h"

class SettingsStore;

struct MainDialogFields {
    int FullAutomatic = 0;
    int BackUp = 1;
    int RegularExpression = 0;
    int NotCase = 0;
    int Kanji = 0;
    int Multiline = 0;
    int Ignorecase = 0;
    std::string FindText;
    std::string ReplaceText;
    int NotEscape = 0;

    bool operator==(const MainDialogFields&) const = default;
};

// The options of the single pattern, from the six option boxes.
PatternOptions OptionsOf(const MainDialogFields& fields);
void SetOptions(MainDialogFields& fields, PatternOptions options);
// The single pattern as a run applies it.
ReplacePattern SinglePatternOf(const MainDialogFields& fields);

// Every TAB of the find and replace texts becomes backslash and t, as entered texts must.
void ApplyTabRule(MainDialogFields& fields);

// The main window's keys, written when it closes: OpenDir, Find and Replace, then the
// eight switches AllAuto, NotEscape, NotCase, RegularExpression, Kanji, Multiline,
// Ignorecase and BackUp, in this order. Failed writes are ignored.
void WriteMainKeys(SettingsStore& settings, const MainDialogFields& fields, const std::string& lastAddFolder);
