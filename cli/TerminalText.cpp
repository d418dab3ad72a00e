#include "cli/TerminalText.h"

#include <algorithm>
#include <cstdio>

#include "engine/text/CharacterRule.h"
#include "platform/DoubleByte.h"

using platform::CodeSet;

namespace {

bool IsSevenBit(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

const CharacterRule& RuleOf(CodeSet codeSet)
{
    switch (codeSet) {
    case CodeSet::ShiftJis:
        return ShiftJisRule();
    case CodeSet::Utf8:
        return Utf8Rule();
    case CodeSet::EucJp:
        break;
    }
    return EucJpRule();
}

// Seven-bit text reads alike in all three; ISO-2022-JP is never shown from a file.
CodeSet CodeSetOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::EucJp:
        return CodeSet::EucJp;
    case TextEncoding::Utf8:
        return CodeSet::Utf8;
    default:
        return CodeSet::ShiftJis;
    }
}

// The full-width character to write for one that code page 932 has only as a look-alike,
// in UTF-8 as typed: ¥ and ‾.
std::string FullWidthHint(const std::string& character)
{
    static const struct {
        const char* typed;
        const char* fullWidth;
    } hints[] = {
        {"\xC2\xA5", "\xEF\xBF\xA5"},      // ¥ and ￥
        {"\xE2\x80\xBE", "\xEF\xBF\xA3"},  // ‾ and ￣
    };
    for (const auto& hint : hints)
        if (character == hint.typed)
            return std::string(": write the full-width '") + hint.fullWidth + "'";
    return std::string();
}

}  // namespace

std::optional<CodeSet> CodeSetNamed(std::string_view charset)
{
    const std::string name = LowerAsciiLetters(charset);
    if (name == "utf-8" || name == "utf8")
        return CodeSet::Utf8;
    if (name == "euc-jp" || name == "eucjp" || name == "euc-jp-ms")
        return CodeSet::EucJp;
    if (name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "cp932" || name == "windows-31j")
        return CodeSet::ShiftJis;
    return std::nullopt;
}

TerminalText::TerminalText(std::string_view charset, bool asBytes)
{
    if (!asBytes)
        terminal_ = CodeSetNamed(charset);
}

TerminalText::Taken TerminalText::FromTerminal(const std::string& text, bool lookAlikesAsTyped) const
{
    if (!terminal_ || *terminal_ == CodeSet::ShiftJis || IsSevenBit(text) || !RuleOf(*terminal_).IsWellFormed(text))
        return {text, {}};
    if (std::optional<std::string> converted = platform::ConvertText(text, *terminal_, CodeSet::ShiftJis))
        return {std::move(*converted), {}};
    const CharacterRule& rule = RuleOf(*terminal_);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = rule.CharacterLength(text, at);
        const std::string character = text.substr(at, length);
        if (!platform::ConvertText(character, *terminal_, CodeSet::ShiftJis)) {
            const std::string hint = FullWidthHint(character);
            if (*terminal_ == CodeSet::Utf8 && (hint.empty() || lookAlikesAsTyped))
                return {text, {}, true};
            return {{}, "'" + character + "' cannot be written in Shift-JIS (code page 932)" + hint};
        }
        at += length;
    }
    return {{}, "the text cannot be written in Shift-JIS (code page 932)"};
}

std::string TerminalText::Converted(std::string_view text, CodeSet source) const
{
    if (!terminal_ || *terminal_ == source || IsSevenBit(text))
        return std::string(text);
    if (std::optional<std::string> converted = platform::ConvertText(text, source, *terminal_))
        return std::move(*converted);
    // Character by character, so that one stray byte does not hide a whole line.
    const CharacterRule& rule = RuleOf(source);
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = rule.CharacterLength(text, at);
        const std::string_view character = text.substr(at, length);
        const std::optional<std::string> converted = platform::ConvertText(character, source, *terminal_);
        shown += converted ? std::string_view(*converted) : character;
        at += length;
    }
    return shown;
}

std::string TerminalText::ProgramText(std::string_view shiftJis) const
{
    return Converted(shiftJis, CodeSet::ShiftJis);
}

std::string TerminalText::FileText(std::string_view text, TextEncoding encoding) const
{
    return Converted(text, CodeSetOf(encoding));
}

namespace {

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The C1 controls U+0080-U+009F in UTF-8: C2 80 to C2 9F. A terminal that reads UTF-8 takes
// U+009B for the start of an escape sequence, as it takes ESC [.
bool IsUtf8Control(std::string_view text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]) == 0xC2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 && static_cast<unsigned char>(text[at + 1]) <= 0x9F;
}

void AppendEscape(std::string& shown, char c)
{
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
    shown += c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : escape;
}

// Control characters in a name are shown as escapes: written as they are, a line break
// would make two lines of one file's, and an escape sequence would command the terminal.
// No character of the terminal's sets has such a byte inside it; in UTF-8 (`utf8`) the C1
// controls are characters of their own and escaped too.
std::string ControlsEscaped(std::string name, bool utf8)
{
    std::string shown;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (utf8 && IsUtf8Control(name, at)) {
            AppendEscape(shown, name[at]);
            AppendEscape(shown, name[++at]);
        } else if (IsControl(name[at])) {
            AppendEscape(shown, name[at]);
        } else {
            shown += name[at];
        }
    }
    return shown;
}

}  // namespace

std::string TerminalText::Name(std::string_view name) const
{
    if (!terminal_ || IsSevenBit(name) || RuleOf(*terminal_).IsWellFormed(name) || !ShiftJisRule().IsWellFormed(name))
        return Escaped(std::string(name));
    return Escaped(Converted(name, CodeSet::ShiftJis));
}

std::string TerminalText::UserText(std::string_view shiftJis) const
{
    return Escaped(ProgramText(shiftJis));
}

std::string TerminalText::Escaped(std::string shown) const
{
    return ControlsEscaped(std::move(shown), terminal_ == CodeSet::Utf8);
}
