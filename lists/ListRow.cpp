#include "lists/ListRow.h"

#include "lists/OptionLetters.h"
#include "lists/TabRule.h"

ListRow RowForPattern(std::string_view find, std::string_view replace, PatternOptions options)
{
    return ListRow{EscapeTabs(find), EscapeTabs(replace), OptionLettersFrom(options)};
}
