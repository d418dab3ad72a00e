#include "engine/pattern/ReplacementTemplate.h"

#include "engine/text/CharacterRule.h"
#include "platform/DigitValue.h"

namespace {

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

char SimpleEscape(char c, bool& known)
{
    known = true;
    switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'f': return '\f';
    case 'e': return '\x1B';
    case 'a': return '\a';
    default: known = false; return c;
    }
}

// Reads the escape after a backslash at text[i - 1]; returns the position after it.
std::size_t ReadEscape(const std::string& text, std::size_t i, std::string& out)
{
    const char c = text[i];
    bool known;
    const char simple = SimpleEscape(c, known);
    if (known) {
        out += simple;
        return i + 1;
    }
    if (c == 'x') {
        int value = 0;
        std::size_t j = i + 1;
        for (int digits = 0; digits < 2 && j < text.size() && DigitValue(text[j]) >= 0; ++digits, ++j)
            value = value * 16 + DigitValue(text[j]);
        out += static_cast<char>(value);
        return j;
    }
    if (IsOctalDigit(c)) {
        int value = 0;
        std::size_t j = i;
        for (int digits = 0; digits < 3 && j < text.size() && IsOctalDigit(text[j]); ++digits, ++j)
            value = value * 8 + (text[j] - '0');
        out += static_cast<char>(value & 0xFF);
        return j;
    }
    // Any other byte stands for itself; after a lead byte its second byte is read on
    // its own.
    out += c;
    return i + 1;
}

}  // namespace

ReplacementTemplate BuildReplacementTemplate(const std::string& replace, TextEncoding typed)
{
    const CharacterRule& rule = CharacterRuleOf(typed);
    ReplacementTemplate result;
    std::size_t i = 0;
    while (i < replace.size()) {
        const char c = replace[i];
        if (c == '$' || c == '\\') {
            if (i + 1 == replace.size())
                break;
            if (c == '\\') {
                i = ReadEscape(replace, i + 1, result.Text);
                continue;
            }
            const char next = replace[i + 1];
            if (next >= '0' && next <= '9') {
                result.Markers.push_back({result.Text.size(), next - '0'});
                i += 2;
                continue;
            }
            ++i;  // the "$" is dropped; the character after it is copied below
        }
        const std::size_t length = rule.CharacterLength(replace, i);
        result.Text.append(replace, i, length);
        i += length;
    }
    return result;
}
