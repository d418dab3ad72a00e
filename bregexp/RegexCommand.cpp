#include "bregexp/RegexCommand.h"

#include "engine/text/CharacterRule.h"

namespace bregexp {

namespace {

// Reads from `position` up to the next slash that is neither escaped nor the second byte
// of a double-byte character, and steps past it; false when there is none.
bool ReadDelimited(std::string_view command, std::size_t& position, std::string& out, bool unescapeSlash,
                   const CharacterRule& rule)
{
    while (position < command.size()) {
        const char c = command[position];
        if (c == '/') {
            ++position;
            return true;
        }
        if (c == '\\' && position + 1 < command.size()) {
            const std::size_t escapedLength = rule.CharacterLength(command, position + 1);
            if (unescapeSlash && command[position + 1] == '/')
                out += '/';
            else
                out.append(command.substr(position, 1 + escapedLength));
            position += 1 + escapedLength;
            continue;
        }
        const std::size_t length = rule.CharacterLength(command, position);
        out.append(command.substr(position, length));
        position += length;
    }
    return false;
}

Modifiers ReadModifiers(std::string_view text, const CharacterRule& rule)
{
    Modifiers modifiers;
    for (std::size_t i = 0; i < text.size(); i += rule.CharacterLength(text, i)) {
        switch (text[i]) {
        case 'k': modifiers.Kanji = true; break;
        case 'm': modifiers.Multiline = true; break;
        case 'i': modifiers.IgnoreCase = true; break;
        case 'g': modifiers.Global = true; break;
        case 'u': modifiers.Encoding = TextEncoding::Utf8; break;
        case 'j': modifiers.Encoding = TextEncoding::EucJp; break;
        default: break;  // unknown letters are ignored
        }
    }
    return modifiers;
}

// Why a part from `from` found no closing slash: a slash was read as a later byte of a
// character whose first byte ended the part (a text cut inside a double-byte character),
// or there is none.
const char* MissingSlash(std::string_view command, std::size_t from, const CharacterRule& rule, bool replacement)
{
    for (std::size_t at = from; at < command.size();) {
        const bool escape = command[at] == '\\' && at + 1 < command.size();
        const std::size_t length = escape ? 1 + rule.CharacterLength(command, at + 1) : rule.CharacterLength(command, at);
        if (!escape && length > 1 && command.substr(at + 1, length - 1).find('/') != std::string_view::npos)
            return replacement ? "replacement ends inside a double-byte character"
                               : "expression ends inside a double-byte character";
        at += length;
    }
    return replacement ? "replacement has no closing /" : "expression has no closing /";
}

// The encoding the modifiers name. No encoding puts a slash inside a character, so the
// modifiers are what follows the last slash, whatever the encoding.
const CharacterRule& RuleOfCommand(std::string_view command)
{
    const std::size_t slash = command.rfind('/');
    const std::string_view modifiers = slash == std::string_view::npos ? std::string_view() : command.substr(slash + 1);
    return CharacterRuleOf(ReadModifiers(modifiers, CharacterRuleOf(TextEncoding::ShiftJis)).Encoding);
}

}  // namespace

ParsedCommand ParseMatchCommand(std::string_view command)
{
    ParsedCommand parsed;
    if (command.empty() || command[0] != '/') {
        parsed.Error = "match command must start with /";
        return parsed;
    }
    const CharacterRule& rule = RuleOfCommand(command);
    std::size_t position = 1;
    if (!ReadDelimited(command, position, parsed.Command.Expression, true, rule)) {
        parsed.Error = MissingSlash(command, 1, rule, false);
        return parsed;
    }
    parsed.Command.Options = ReadModifiers(command.substr(position), rule);
    parsed.Command.Options.Global = false;
    return parsed;
}

ParsedCommand ParseSubstituteCommand(std::string_view command)
{
    ParsedCommand parsed;
    if (command.size() < 2 || command[0] != 's' || command[1] != '/') {
        parsed.Error = "substitute command must start with s/";
        return parsed;
    }
    const CharacterRule& rule = RuleOfCommand(command);
    std::size_t position = 2;
    if (!ReadDelimited(command, position, parsed.Command.Expression, true, rule)) {
        parsed.Error = MissingSlash(command, 2, rule, false);
        return parsed;
    }
    const std::size_t replacementFrom = position;
    if (!ReadDelimited(command, position, parsed.Command.Replacement, false, rule)) {
        parsed.Error = MissingSlash(command, replacementFrom, rule, true);
        return parsed;
    }
    parsed.Command.Options = ReadModifiers(command.substr(position), rule);
    return parsed;
}

}  // namespace bregexp
