#include "cli/NativeList.h"

#include <algorithm>
#include <string_view>

#include "engine/text/CharacterRule.h"
#include "lists/TextLines.h"
#include "cli/RequestCheck.h"
#include "cli/TerminalText.h"

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

}  // namespace

std::string TakeNativeList(const std::string& path, PatternList& patterns)
{
    platform::FileContent content;
    if (platform::ReadWholeFile(path, content) != platform::ReadStatus::Ok)
        return std::string();
    const std::string_view text(content.Data(), content.Size());
    // No pattern holds a NUL: a list that does is no text of ours, most often one in UTF-16,
    // whose letters would each be read with a NUL beside it.
    if (text.find('\0') != std::string_view::npos)
        return "the replace list " + path + " holds NUL bytes: a list is text in Shift-JIS or UTF-8 (is it UTF-16?)";
    std::string problem;
    std::size_t number = 0;
    ForEachTextLine(text, [&](std::string_view line) {
        ++number;
        if (!problem.empty())
            return;
        const std::string letters(OptionLetters(line));
        const std::string where = "the replace list " + path + ", line " + std::to_string(number) + ": '" + letters + "'";
        std::string asOption;
        for (const char letter : letters) {
            if (KnownLetters.find(letter) == std::string_view::npos) {
                problem = where + " holds option letters a list does not know (it knows E, k, m, i, S and C)";
                return;
            }
            asOption += letter == 'E' ? 'e' : letter == 'S' ? 's' : letter == 'C' ? 'c' : letter;
        }
        // Letters the pattern would not use are refused as -O refuses them.
        if (const std::string wrong = OptionLettersProblem(asOption); !wrong.empty())
            problem = where + " (-O" + asOption + "): " + wrong;
    });
    if (!problem.empty())
        return problem;
    const auto findsNothing = [](const ReplacePattern& pattern) {
        return FindsNothing(pattern.Find, !HasOption(pattern.Options, RegularExpression) &&
                                              !HasOption(pattern.Options, NotEscape));
    };
    if (!patterns.empty() && std::all_of(patterns.begin(), patterns.end(), findsNothing))
        return "the replace list " + path + " holds nothing to find: the find text of every pattern is empty";
    if (IsSevenBit(text) || !Utf8Rule().IsWellFormed(text))
        return problem;
    // Each pattern's texts as a UTF-8 terminal's are taken: in code page 932, or both kept in
    // UTF-8 when it cannot hold one of them.
    const TerminalText utf8("UTF-8", false);
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        ReplacePattern& pattern = patterns[i];
        TerminalText::Taken find = utf8.FromTerminal(pattern.Find);
        TerminalText::Taken replace = utf8.FromTerminal(pattern.Replace);
        if (!find.Error.empty() || !replace.Error.empty())
            return "the replace list " + path + " (UTF-8), pattern " + std::to_string(i + 1) + ": " +
                   (find.Error.empty() ? replace.Error : find.Error);
        if (find.Utf8 || replace.Utf8) {
            pattern.Typed = TextEncoding::Utf8;
            continue;
        }
        pattern.Find = std::move(find.Text);
        pattern.Replace = std::move(replace.Text);
    }
    return std::string();
}
