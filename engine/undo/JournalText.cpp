#include "engine/undo/JournalText.h"

#include <charconv>
#include <set>

#include "engine/flow/ContentDigest.h"

namespace {

std::uint64_t CheckOf(std::string_view text)
{
    ContentDigest digest;
    digest.Add(text.data(), text.size());
    return digest.Value();
}

std::string Hex(std::uint64_t value)
{
    char text[17];
    const auto end = std::to_chars(text, text + sizeof text, value, 16).ptr;
    return std::string(text, end);
}

void AddNumber(std::string& line, std::uint64_t value)
{
    line += std::to_string(value);
    line += '\t';
}

void AddStamp(std::string& line, const platform::FileStamp& stamp)
{
    for (const std::uint64_t value : {stamp.Volume, stamp.Index, stamp.Size, stamp.Modified})
        AddNumber(line, value);
}

// The line's body with its check appended; the check covers every byte before it.
std::string Checked(std::string body)
{
    body += Hex(CheckOf(body));
    body += '\n';
    return body;
}

std::vector<std::string_view> FieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool Parse(std::string_view field, std::uint64_t& value, int base = 10)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, base);
    return error == std::errc() && end == field.data() + field.size() && !field.empty();
}

// A whole line with a check that holds; the fields before the check.
std::optional<std::vector<std::string_view>> CheckedFields(std::string_view line)
{
    const std::size_t lastTab = line.rfind('\t');
    std::uint64_t check = 0;
    if (lastTab == std::string_view::npos || !Parse(line.substr(lastTab + 1), check, 16) ||
        CheckOf(line.substr(0, lastTab + 1)) != check)
        return std::nullopt;
    return FieldsOf(line.substr(0, lastTab));
}

// Calls `take` with the fields of each whole line whose check holds, in their order; a line
// without its end is one a killed run did not finish.
template <typename Take>
void ForEachCheckedLine(std::string_view text, Take take)
{
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            return;
        const std::optional<std::vector<std::string_view>> fields = CheckedFields(text.substr(start, end - start));
        start = end + 1;
        if (fields)
            take(*fields);
    }
}

std::optional<JournalEntry> EntryOf(const std::vector<std::string_view>& fields)
{
    if (fields.size() != 14 || fields[2].size() != 1 || (fields[2][0] != 'L' && fields[2][0] != 'C'))
        return std::nullopt;
    JournalEntry entry;
    entry.How = static_cast<KeptAs>(fields[2][0]);
    std::uint64_t* numbers[] = {&entry.Number,        &entry.Original.Volume, &entry.Original.Index,
                                &entry.Original.Size, &entry.Original.Modified, &entry.Made.Volume,
                                &entry.Made.Index,    &entry.Made.Size,       &entry.Made.Modified};
    const std::size_t at[] = {1, 3, 4, 5, 6, 7, 8, 9, 10};
    for (std::size_t i = 0; i < std::size(at); ++i)
        if (!Parse(fields[at[i]], *numbers[i]))
            return std::nullopt;
    if (!Parse(fields[11], entry.Digest, 16))
        return std::nullopt;
    entry.Path = UnescapedField(fields[12]);
    // The last field is empty: the line ends in a TAB before its check.
    return entry;
}

}  // namespace

std::string EscapedField(std::string_view value)
{
    std::string field;
    field.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '\\': field += "\\\\"; break;
        case '\t': field += "\\t"; break;
        case '\n': field += "\\n"; break;
        case '\r': field += "\\r"; break;
        default: field += c;
        }
    }
    return field;
}

std::string UnescapedField(std::string_view field)
{
    std::string value;
    value.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            value += field[i];
            continue;
        }
        const char next = field[++i];
        value += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return value;
}

std::string KeptLine(const JournalEntry& entry)
{
    std::string line = "K\t";
    AddNumber(line, entry.Number);
    line += static_cast<char>(entry.How);
    line += '\t';
    AddStamp(line, entry.Original);
    AddStamp(line, entry.Made);
    line += Hex(entry.Digest);
    line += '\t';
    line += EscapedField(entry.Path);
    line += "\t\t";
    return Checked(std::move(line));
}

std::string DroppedLine(std::uint64_t number)
{
    std::string line = "D\t";
    AddNumber(line, number);
    return Checked(std::move(line));
}

std::vector<JournalEntry> ReadJournalText(std::string_view text)
{
    std::vector<JournalEntry> entries;
    std::set<std::uint64_t> dropped;
    ForEachCheckedLine(text, [&](const std::vector<std::string_view>& fields) {
        if (fields[0].size() != 1)
            return;
        std::uint64_t number = 0;
        if (fields[0][0] == 'D' && fields.size() == 2 && Parse(fields[1], number))
            dropped.insert(number);
        else if (fields[0][0] == 'K')
            if (std::optional<JournalEntry> entry = EntryOf(fields))
                entries.push_back(std::move(*entry));
    });
    std::erase_if(entries, [&](const JournalEntry& entry) { return dropped.count(entry.Number) > 0; });
    return entries;
}

std::string FactLine(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '\t';
    line += EscapedField(value);
    line += '\t';
    return Checked(std::move(line));
}

std::vector<std::pair<std::string, std::string>> ReadFactLines(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> facts;
    ForEachCheckedLine(text, [&](const std::vector<std::string_view>& fields) {
        if (fields.size() == 2)
            facts.emplace_back(std::string(fields[0]), UnescapedField(fields[1]));
    });
    return facts;
}
