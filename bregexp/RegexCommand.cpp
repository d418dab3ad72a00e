#include "bregexp/RegexCommand.h"

#include "platform/DoubleByte.h"

namespace bregexp {

namespace {

// Reads from `position` up to the next slash that is neither escaped nor the second byte
// of a double-byte character, and steps past it; false when there is none.
bool ReadDelimited(std::string_view command, std::size_t& position, std::string& out, bool unescapeSlash)
{
    while (position < command.size()) {
        const char c = command[position];
        if (c == '/') {
            ++position;
            return true;
        }
        if (c == '\\' && position + 1 < command.size()) {
            const std::size_t escapedLength = CharacterLength(command, position + 1);
            if (unescapeSlash && command[position + 1] == '/')
                out += '/';
            else
                out.append(command.substr(position, 1 + escapedLength));
            position += 1 + escapedLength;
            continue;
        }
        const std::size_t length = CharacterLength(command, position);
        out.append(command.substr(position, length));
        position += length;
    }
    return false;
}

Modifiers ReadModifiers(std::string_view text)
{
    Modifiers modifiers;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
        switch (text[i]) {
        case 'k': modifiers.Kanji = true; break;
        case 'm': modifiers.Multiline = true; break;
        case 'i': modifiers.IgnoreCase = true; break;
        case 'g': modifiers.Global = true; break;
        default: break;  // unknown letters are ignored
        }
    }
    return modifiers;
}

}  // namespace

ParsedCommand ParseMatchCommand(std::string_view command)
{
    ParsedCommand parsed;
    if (command.empty() || command[0] != '/') {
        parsed.Error = "match command must start with /";
        return parsed;
    }
    std::size_t position = 1;
    if (!ReadDelimited(command, position, parsed.Command.Expression, true)) {
        parsed.Error = "expression has no closing /";
        return parsed;
    }
    parsed.Command.Options = ReadModifiers(command.substr(position));
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
    std::size_t position = 2;
    if (!ReadDelimited(command, position, parsed.Command.Expression, true)) {
        parsed.Error = "expression has no closing /";
        return parsed;
    }
    if (!ReadDelimited(command, position, parsed.Command.Replacement, false)) {
        parsed.Error = "replacement has no closing /";
        return parsed;
    }
    parsed.Command.Options = ReadModifiers(command.substr(position));
    return parsed;
}

}  // namespace bregexp
