#include "platform/ProfileStore.h"

#include <cstdint>
#include <string_view>

#include "platform/DigitValue.h"
#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"
#include "platform/IniDocument.h"

namespace platform {

namespace {

// The system reads a number through a buffer of 30 characters.
constexpr std::size_t IntegerTextLimit = 29;

std::string_view UpToNul(const std::string& text)
{
    return std::string_view(text).substr(0, text.find('\0'));
}

// One pair of equal quotes, double or single, around the whole value is removed.
std::string_view StripQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view TrimTrailingBlanks(std::string_view text)
{
    return text.substr(0, text.find_last_not_of(" \t\n\v\f\r") + 1);
}

int ParseInteger(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (text.substr(i, 2) == "0x")
        base = 16;
    else if (text.substr(i, 2) == "0o")
        base = 8;
    else if (text.substr(i, 2) == "0b")
        base = 2;
    if (base != 10)
        i += 2;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || digit >= base)
            break;
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return static_cast<int>(negative ? 0u - value : value);
}

}  // namespace

std::string ReadProfileText(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& defaultValue, std::size_t limit)
{
    FileContent content;
    if (ReadWholeFile(file, content) == ReadStatus::Ok) {
        const IniDocument document(std::string_view(content.Data(), content.Size()));
        if (const std::string* value = document.Find(UpToNul(section), UpToNul(key)))
            return std::string(LeadingCharacters(StripQuotes(*value), limit));
    }
    return std::string(LeadingCharacters(StripQuotes(TrimTrailingBlanks(UpToNul(defaultValue))), limit));
}

int ReadProfileInteger(const std::string& file, const std::string& section, const std::string& key,
                       int defaultValue)
{
    const std::string value = ReadProfileText(file, section, key, std::string(), IntegerTextLimit);
    return value.empty() ? defaultValue : ParseInteger(value);
}

bool WriteProfileText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value)
{
    FileContent content;
    std::string_view text;
    if (ReadWholeFile(file, content) == ReadStatus::Ok)
        text = std::string_view(content.Data(), content.Size());
    else if (PathExists(file))
        return false;  // never replace what could not be read
    IniDocument document(text);
    if (!document.Set(UpToNul(section), UpToNul(key), UpToNul(value)))
        return true;
    const std::string updated = document.Text();
    return WriteWholeFile(file, updated.data(), updated.size());
}

}  // namespace platform
