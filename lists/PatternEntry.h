#pragma once
// A pattern while the pattern edit dialog holds it: the two texts and the six option boxes
// as 0 or 1. The row of the editor's list is the stored form.
#include <string>

#include "engine/PatternOptions.h"
#include "lists/ListRow.h"

struct PatternEntry {
    int Ignorecase = 0;
    int Kanji = 0;
    int Multiline = 0;
    int NotCase = 0;
    int RegularExpression = 0;
    std::string Find;
    std::string Replace;
    int NotEscape = 0;

    bool operator==(const PatternEntry&) const = default;
};

PatternOptions OptionsOf(const PatternEntry& entry);
// A row's texts, and its boxes from its option letters by the reading rule.
PatternEntry EntryOfRow(const ListRow& row);
// The row an entry is registered as: TABs of both texts escaped, the option letters made
// by the writing rule.
ListRow RowOfEntry(const PatternEntry& entry);
