#include "cli/NativeList.h"

#include <string_view>

#include "engine/text/CharacterRule.h"
#include "lists/TextLines.h"
#include "platform/TextConversion.h"

namespace {

constexpr std::string_view KnownLetters = "EkmiSC";

// The option letters of a line: what follows its second TAB.
std::string_view OptionLetters(std::string_view line)
{
    const std::size_t first = line.find('\t');
    const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    return second == std::string_view::npos ? std::string_view() : line.substr(second + 1);
}

bool IsSevenBit(std::string_view text)
{
    for (const char byte : text)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

// The text of a UTF-8 list in code page 932; the error names the character it cannot hold.
bool ToShiftJis(std::string& text, std::string& error)
{
    if (IsSevenBit(text))
        return true;
    if (auto converted = platform::ConvertText(text, platform::CodeSet::Utf8, platform::CodeSet::ShiftJis)) {
        text = std::move(*converted);
        return true;
    }
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Rule().CharacterLength(text, at);
        const std::string character = text.substr(at, length);
        if (!platform::ConvertText(character, platform::CodeSet::Utf8, platform::CodeSet::ShiftJis)) {
            error = "'" + character + "' cannot be written in Shift-JIS (code page 932)";
            return false;
        }
        at += length;
    }
    error = "a text cannot be written in Shift-JIS (code page 932)";
    return false;
}

}  // namespace

std::string TakeNativeList(const std::string& path, PatternList& patterns)
{
    platform::FileContent content;
    if (platform::ReadWholeFile(path, content) != platform::ReadStatus::Ok)
        return std::string();
    const std::string_view text(content.Data(), content.Size());
    std::string problem;
    std::size_t number = 0;
    ForEachTextLine(text, [&](std::string_view line) {
        ++number;
        if (!problem.empty())
            return;
        for (const char letter : OptionLetters(line))
            if (KnownLetters.find(letter) == std::string_view::npos) {
                problem = "the replace list " + path + ", line " + std::to_string(number) + ": '" +
                          std::string(OptionLetters(line)) +
                          "' holds option letters a list does not know (it knows E, k, m, i, S and C)";
                return;
            }
    });
    if (!problem.empty() || IsSevenBit(text) || !Utf8Rule().IsWellFormed(text))
        return problem;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        std::string error;
        if (!ToShiftJis(patterns[i].Find, error) || !ToShiftJis(patterns[i].Replace, error))
            return "the replace list " + path + " (UTF-8), pattern " + std::to_string(i + 1) + ": " + error;
    }
    return std::string();
}
