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

namespace {

char LowerAsciiLetter(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

}  // namespace

std::string LowerAsciiLetters(std::string_view text)
{
    std::string lowered(text);
    for (std::size_t i = 0; i < lowered.size(); i += CharacterLength(lowered, i))
        lowered[i] = LowerAsciiLetter(lowered[i]);
    return lowered;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t length = CharacterLength(a, i);
        if (length == 2 ? a.substr(i, 2) != b.substr(i, 2) : LowerAsciiLetter(a[i]) != LowerAsciiLetter(b[i]))
            return false;
        i += length;
    }
    return true;
}
