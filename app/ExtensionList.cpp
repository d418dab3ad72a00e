#include "app/ExtensionList.h"

#include <algorithm>

#include "platform/DoubleByte.h"

namespace {

// The blank a character at `at` is, in bytes: a space, a TAB or the full-width blank that
// a Japanese input method types (U+3000); 0 for any other character.
std::size_t BlankLength(std::string_view text, std::size_t at)
{
    if (text[at] == ' ' || text[at] == '\t')
        return 1;
    return text.substr(at, 2) == "\x81\x40" ? 2 : 0;
}

// Blanks written around a pattern ("*.txt ; *.htm") belong to no extension a file can
// have: kept, they would let nothing in.
std::string_view Trimmed(std::string_view piece)
{
    std::size_t start = 0;
    while (start < piece.size() && BlankLength(piece, start) > 0)
        start += BlankLength(piece, start);
    std::size_t end = start;
    for (std::size_t at = start; at < piece.size(); at += CharacterLength(piece, at))
        if (BlankLength(piece, at) == 0)
            end = at + CharacterLength(piece, at);
    return piece.substr(start, end - start);
}

}  // namespace

ExtensionList BuildExtensionList(std::string_view text)
{
    const std::string lowered = LowerAsciiLetters(text);
    ExtensionList extensions;
    std::string_view rest = lowered;
    while (!rest.empty()) {
        const std::size_t end = FindCharacter(rest, ';');
        const std::string_view piece = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t dot = FindLastCharacter(piece, '.');
        // "*" lets every file in, as "*.*" does.
        if (dot == std::string_view::npos && piece.starts_with('*'))
            extensions.emplace_back("*");
        else if (dot != std::string_view::npos)
            extensions.emplace_back(piece.substr(dot + 1));
    }
    return extensions;
}

bool PassesExtensionCheck(const ExtensionList& extensions, std::string_view path)
{
    const std::size_t dot = FindLastCharacter(path, '.');
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    return std::any_of(extensions.begin(), extensions.end(), [&](const std::string& entry) {
        return entry.starts_with('*') || EqualIgnoringAsciiCase(entry, extension);
    });
}
