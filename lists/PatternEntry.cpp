#include "lists/PatternEntry.h"

#include "lists/OptionLetters.h"

PatternEntry EntryOfRow(const ListRow& row)
{
    PatternEntry entry;
    entry.Find = row.Find;
    entry.Replace = row.Replace;
    SetOptions(entry, OptionsFromLetters(row.Options));
    return entry;
}

ListRow RowOfEntry(const PatternEntry& entry)
{
    return RowForPattern(entry.Find, entry.Replace, OptionsOf(entry));
}
