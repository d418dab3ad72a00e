// Profile files as the POSIX build reads and writes them: the document parser and writer,
// and the store's reads of texts and numbers from a real file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"
#include "platform/ProfileStore.h"
#include "platform/IniDocument.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/ScratchFile.h"

namespace {

// A section or key name the program could use: letters and digits only.
std::string PlainName(const std::string& bytes, const char* fallback)
{
    std::string name;
    for (const char byte : bytes)
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9'))
            name += byte;
    return name.empty() ? fallback : name;
}

// Shift-JIS text as a program writes it: no NUL, and every lead byte followed by a byte
// that can be a second byte. Only of such text is a faithful round trip asked.
bool IsWellFormedText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\0')
            return false;
        if (!IsLeadByte(text[i]))
            continue;
        const unsigned char second = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (second < 0x40 || second == 0x7F || second > 0xFC)
            return false;
        ++i;
    }
    return true;
}

// What a read gives back of a written value: no surrounding blanks, one pair of quotes less.
std::string ValueAsRead(const std::string& written)
{
    const std::string blanks = " \t\n\v\f\r";
    const std::size_t first = written.find_first_not_of(blanks);
    std::string value = first == std::string::npos ? std::string() : written.substr(first);
    value.erase(value.find_last_not_of(blanks) + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(LeadingCharacters(value, platform::ProfileValueLimit));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(5000);
    const std::string text = input.ConsumeRemainingBytesAsString();

    platform::IniDocument document(text);
    document.Find(section, key);
    // What the writer writes, the parser reads back as it was.
    const std::string written = document.Text();
    if (IsWellFormedText(text))
        FUZZ_CHECK(platform::IniDocument(written).Text() == written);
    document.Set(section, key, value);
    const std::string updated = platform::IniDocument(document.Text()).Text();
    if (IsWellFormedText(text) && IsWellFormedText(section + key + value))
        FUZZ_CHECK(platform::IniDocument(updated).Text() == updated);

    static const std::string path = ScratchFilePath("profile.ini");
    if (!platform::WriteWholeFile(path, text.data(), text.size()))
        return 0;
    platform::ReadProfileText(path, section, key, value);
    platform::ReadProfileInteger(path, section, key, 7);
    const std::string plainSection = PlainName(section, "S");
    const std::string plainKey = PlainName(key, "K");
    const bool plainValue =
        IsWellFormedText(text) && IsWellFormedText(value) && value.find_first_of("\r\n") == std::string::npos;
    if (platform::WriteProfileText(path, plainSection, plainKey, value) && plainValue)
        FUZZ_CHECK(platform::ReadProfileText(path, plainSection, plainKey, "none") == ValueAsRead(value));
    platform::ReadProfileInteger(path, plainSection, plainKey, 7);
    platform::RemoveFile(path);
    return 0;
}
