#include "engine/pattern/RegexQuoting.h"

#include "engine/text/CharacterRule.h"

std::string QuoteRegexText(const std::string& text, TextEncoding typed)
{
    const CharacterRule& rule = CharacterRuleOf(typed);
    // One scan from the left: a doubled backslash and an escaped slash stay as they are,
    // any other slash gets its backslash. No byte of the text stands in for anything, so a
    // byte such as 0x7F next to a backslash cannot leave a slash unescaped and end the
    // expression inside the command early.
    std::string quoted;
    quoted.reserve(text.size() + text.size() / 8);
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '/')) {
            quoted.append(text, i, 2);
            i += 2;
        } else if (text[i] == '/') {
            quoted += "\\/";
            ++i;
        } else {
            const std::size_t length = rule.CharacterLength(text, i);
            quoted.append(text, i, length);
            i += length;
        }
    }
    return quoted;
}
