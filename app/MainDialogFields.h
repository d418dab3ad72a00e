#pragma once
// The values of the main window that its two transfers move between the controls and the
// dialog: the eight check boxes as 0 or 1 and the texts of the find and replace boxes.
#include <string>

#include "engine/pattern/ReplacePattern.h"
#include "lists/OptionBoxes.h"

class SettingsStore;

// The six option boxes are those of the single pattern.
struct MainDialogFields : OptionBoxes {
    int FullAutomatic = 0;
    int BackUp = 1;
    std::string FindText;
    std::string ReplaceText;

    bool operator==(const MainDialogFields&) const = default;
};

// The single pattern as a run applies it.
ReplacePattern SinglePatternOf(const MainDialogFields& fields);

// Every TAB of the find and replace texts becomes backslash and t, which the escape
// sequences turn back into a TAB. Not for a pattern that does without escape sequences:
// there backslash and t would be taken as they are, so a TAB stays a TAB.
void ApplyTabRule(MainDialogFields& fields);

// Whether the texts can be stored as a line of a list (the history): a TAB left in them
// would split the line.
bool FitsInAListLine(const MainDialogFields& fields);

// The main window's keys, written when it closes: OpenDir, Find and Replace, then the
// eight switches AllAuto, NotEscape, NotCase, RegularExpression, Kanji, Multiline,
// Ignorecase and BackUp, in this order. Failed writes are ignored.
void WriteMainKeys(SettingsStore& settings, const MainDialogFields& fields, const std::string& lastAddFolder);
