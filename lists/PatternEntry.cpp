#include "lists/PatternEntry.h"

#include "lists/OptionLetters.h"

namespace {

struct OptionBox {
    int PatternEntry::*Box;
    PatternOption Option;
};

constexpr OptionBox OptionBoxes[] = {
    {&PatternEntry::Ignorecase, Ignorecase}, {&PatternEntry::Kanji, Kanji},
    {&PatternEntry::Multiline, Multiline},   {&PatternEntry::NotCase, NotCase},
    {&PatternEntry::RegularExpression, RegularExpression}, {&PatternEntry::NotEscape, NotEscape},
};

}  // namespace

PatternOptions OptionsOf(const PatternEntry& entry)
{
    PatternOptions options = 0;
    for (const OptionBox& box : OptionBoxes)
        if (entry.*box.Box != 0)
            options |= box.Option;
    return options;
}

PatternEntry EntryOfRow(const ListRow& row)
{
    PatternEntry entry;
    entry.Find = row.Find;
    entry.Replace = row.Replace;
    const PatternOptions options = OptionsFromLetters(row.Options);
    for (const OptionBox& box : OptionBoxes)
        entry.*box.Box = HasOption(options, box.Option) ? 1 : 0;
    return entry;
}

ListRow RowOfEntry(const PatternEntry& entry)
{
    return RowForPattern(entry.Find, entry.Replace, OptionsOf(entry));
}
