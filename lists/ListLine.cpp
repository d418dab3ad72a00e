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

// A line split once: the two texts and everything after the second TAB; both readings
// take their options from the rest.
struct LineFields {
    std::string_view Find;
    std::string_view Replace;
    std::string_view Rest;
};

LineFields SplitFields(std::string_view line)
{
    LineFields fields;
    fields.Find = TakeField(line);
    fields.Replace = TakeField(line);
    fields.Rest = line;
    return fields;
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
    LineFields fields = SplitFields(line);
    return ListRow{std::string(fields.Find), std::string(fields.Replace), std::string(TakeField(fields.Rest))};
}

ReplacePattern ParseListLine(std::string_view line)
{
    const LineFields fields = SplitFields(line);
    return ReplacePattern{std::string(fields.Find), std::string(fields.Replace), OptionsFromLetters(fields.Rest)};
}
