#include "engine/pattern/RegexCommandText.h"

#include <string_view>

#include "engine/pattern/RegexQuoting.h"
#include "engine/text/CharacterRule.h"

namespace {

std::string ModifierText(PatternOptions options)
{
    std::string modifiers;
    if (HasOption(options, Kanji))
        modifiers += 'k';
    if (HasOption(options, Multiline))
        modifiers += 'm';
    if (HasOption(options, Ignorecase))
        modifiers += 'i';
    return modifiers;
}

// The library reads its commands aware of double-byte characters, so a backslash that is
// a second byte escapes nothing here either.
bool EndsWithUnescapedDollar(std::string_view expression, const CharacterRule& rule)
{
    bool dollarLast = false;
    std::size_t i = 0;
    while (i < expression.size()) {
        const char c = expression[i];
        i += rule.CharacterLength(expression, i);
        if (c == '\\' && i < expression.size()) {
            i += rule.CharacterLength(expression, i);
            dollarLast = false;
            continue;
        }
        dollarLast = c == '$';
    }
    return dollarLast;
}

}  // namespace

std::string MatchCommandText(const std::string& find, PatternOptions options, TextEncoding typed)
{
    std::string command = "/";
    command.append(QuoteRegexText(find, typed)).append(1, '/').append(ModifierText(options));
    return command;
}

std::string SubstituteCommandText(const std::string& find, const std::string& replace, PatternOptions options,
                                  TextEncoding typed)
{
    std::string command = "s/";
    command.append(QuoteRegexText(find, typed)).append(1, '/').append(QuoteRegexText(replace, typed)).append(1, '/');
    command.append(ModifierText(options)).append(1, 'g');
    return command;
}

bool SkipsNewlineAfterMatch(const std::string& find, PatternOptions options, TextEncoding typed)
{
    return HasOption(options, Multiline) &&
           EndsWithUnescapedDollar(QuoteRegexText(find, typed), CharacterRuleOf(typed));
}

const char* EncodingModifier(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return "u";
    case TextEncoding::EucJp:
        return "j";
    default:
        // A file's text is read by characters whatever the user chose: without k a match
        // could start on a second byte, or a quantifier take one, and split a character.
        return "k";
    }
}
