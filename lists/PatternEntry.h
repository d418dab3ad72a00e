#pragma once
// A pattern while the pattern edit dialog holds it: the two texts and the six option boxes
// as 0 or 1. The row of the editor's list is the stored form.
#include <string>

#include "lists/ListRow.h"
#include "lists/OptionBoxes.h"

struct PatternEntry : OptionBoxes {
    std::string Find;
    std::string Replace;

    bool operator==(const PatternEntry&) const = default;
};

// A row's texts, and its boxes from its option letters by the reading rule.
PatternEntry EntryOfRow(const ListRow& row);
// The row an entry is registered as: TABs of both texts escaped, the option letters made
// by the writing rule.
ListRow RowOfEntry(const PatternEntry& entry);
