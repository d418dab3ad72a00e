#include "platform/DoubleByte.h"

#include <string>

std::size_t FindCharacter(std::string_view text, char byte, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); i += CharacterLength(text, i))
        if (text[i] == byte)
            return i;
    return std::string_view::npos;
}

std::size_t FindLastCharacter(std::string_view text, char byte)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i))
        if (text[i] == byte)
            found = i;
    return found;
}

std::string ReplaceAtCharacterStarts(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (!from.empty() && text.compare(i, from.size(), from) == 0) {
            result.append(to);
            i += from.size();
            continue;
        }
        const std::size_t length = CharacterLength(text, i);
        result.append(text.substr(i, length));
        i += length;
    }
    return result;
}
