#include "app/ExtensionList.h"

#include <algorithm>

#include "platform/DoubleByte.h"

ExtensionList BuildExtensionList(std::string_view text)
{
    const std::string lowered = LowerAsciiLetters(text);
    ExtensionList extensions;
    std::string_view rest = lowered;
    while (!rest.empty()) {
        const std::size_t end = FindCharacter(rest, ';');
        const std::string_view piece = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t dot = FindLastCharacter(piece, '.');
        if (dot == std::string_view::npos)
            continue;
        // Blanks written around a pattern ("*.txt ; *.htm") belong to no extension a file
        // can have: kept, they let nothing in.
        std::string_view extension = piece.substr(dot + 1);
        while (!extension.empty() && (extension.back() == ' ' || extension.back() == '\t'))
            extension.remove_suffix(1);
        extensions.emplace_back(extension);
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
