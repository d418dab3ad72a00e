#include "platform/IniDocument.h"

#include "platform/DoubleByte.h"

namespace platform {

namespace {

constexpr std::string_view Blanks = " \t\n\v\f\r";

std::string_view SkipLeadingBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimBlanks(std::string_view text)
{
    text = SkipLeadingBlanks(text);
    return text.substr(0, text.find_last_not_of(Blanks) + 1);
}

// The system's profile functions see every name and value as a NUL-terminated string.
std::string UpToNul(std::string_view text)
{
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

IniDocument::IniDocument(std::string_view text) : sections_(1)
{
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        AddLine(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

void IniDocument::AddLine(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty())
        return;
    if (line.front() == '[') {
        const std::size_t close = FindLastCharacter(line, ']');
        if (close != std::string_view::npos) {
            sections_.push_back(Section{UpToNul(TrimBlanks(line.substr(1, close - 1))), {}});
            return;
        }
    }
    Key key;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        key.Name = UpToNul(line);
    } else {
        key.Name = UpToNul(TrimBlanks(line.substr(0, equals)));
        key.Value = UpToNul(TrimBlanks(line.substr(equals + 1)));
    }
    sections_.back().Keys.push_back(std::move(key));
}

std::size_t IniDocument::SectionIndex(std::string_view name) const
{
    name = TrimBlanks(name);
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (EqualIgnoringAsciiCase(sections_[i].Name, name))
            return i;
    return None;
}

std::size_t IniDocument::KeyIndex(const Section& section, std::string_view name)
{
    name = TrimBlanks(name);
    for (std::size_t i = 0; i < section.Keys.size(); ++i)
        if (EqualIgnoringAsciiCase(section.Keys[i].Name, name))
            return i;
    return None;
}

const std::string* IniDocument::Find(std::string_view section, std::string_view key) const
{
    const std::size_t found = SectionIndex(section);
    if (found == None)
        return nullptr;
    const std::size_t entry = KeyIndex(sections_[found], key);
    if (entry == None)
        return nullptr;
    const std::optional<std::string>& value = sections_[found].Keys[entry].Value;
    return value ? &*value : nullptr;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    // New names and the value keep their trailing blanks, as the system writes them.
    const std::string newValue = UpToNul(SkipLeadingBlanks(value));
    std::size_t found = SectionIndex(section);
    if (found == None) {
        found = sections_.size();
        sections_.push_back(Section{UpToNul(SkipLeadingBlanks(section)), {}});
    }
    std::vector<Key>& keys = sections_[found].Keys;
    const std::size_t entry = KeyIndex(sections_[found], key);
    if (entry == None) {
        keys.push_back(Key{UpToNul(SkipLeadingBlanks(key)), newValue});
        return true;
    }
    if (keys[entry].Value == newValue)
        return false;
    keys[entry].Value = newValue;
    return true;
}

std::string IniDocument::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        if (i > 0)
            text.append("[").append(section.Name).append("]\r\n");
        for (const Key& key : section.Keys) {
            text.append(key.Name);
            if (key.Value)
                text.append("=").append(*key.Value);
            text.append("\r\n");
        }
    }
    return text;
}

}  // namespace platform
