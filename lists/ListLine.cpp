#include "lists/ListLine.h"

#include "lists/OptionLetters.h"

namespace {

// The text before the next TAB; `rest` moves past that TAB, or becomes empty without one.
std::string_view TakeField(std::string_view& rest)
{
    const std::size_t tab = rest.find('\t');
    const std::string_view field = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    return field;
}

}  // namespace

std::string FormatListLine(const ListRow& row)
{
    std::string line;
    line.reserve(row.Find.size() + row.Replace.size() + row.Options.size() + 2);
    line.append(row.Find).append(1, '\t').append(row.Replace).append(1, '\t').append(row.Options);
    return line;
}

ListRow SplitListLine(std::string_view line)
{
    ListRow row;
    row.Find = TakeField(line);
    row.Replace = TakeField(line);
    row.Options = TakeField(line);
    return row;
}

ReplacePattern ParseListLine(std::string_view line)
{
    ReplacePattern pattern;
    pattern.Find = TakeField(line);
    pattern.Replace = TakeField(line);
    pattern.Options = OptionsFromLetters(line);
    return pattern;
}
