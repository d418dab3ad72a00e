#include "cli/ExtensionPatterns.h"

#include <initializer_list>

namespace {

// Blanks around a piece: spaces, TABs and the full-width blank (U+3000) a Japanese input
// method types, in UTF-8 as a terminal gives it.
std::string_view Trimmed(std::string_view piece)
{
    constexpr std::string_view FullWidthBlank = "\xE3\x80\x80";
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const std::string_view blank : {std::string_view(" "), std::string_view("\t"), FullWidthBlank}) {
            if (piece.starts_with(blank)) {
                piece.remove_prefix(blank.size());
                trimmed = true;
            }
            if (piece.ends_with(blank)) {
                piece.remove_suffix(blank.size());
                trimmed = true;
            }
        }
    }
    return piece;
}

}  // namespace

std::optional<std::string> ExtensionPatterns(std::string_view text, std::string& bad)
{
    std::string patterns;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(";,");
        const std::string_view piece = Trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (piece.empty())
            continue;
        std::string_view extension = piece;
        if (piece == "*" || piece == "*.*") {
            extension = "*";
        } else if (piece.starts_with("*.")) {
            extension = piece.substr(2);
        } else if (piece.starts_with('.')) {
            extension = piece.substr(1);
        }
        // What is left is an extension itself: no wildcard but a lone "*", no dot, no folder.
        if (extension != "*" && extension.find_first_of("*?./\\[") != std::string_view::npos) {
            bad = std::string(piece);
            return std::nullopt;
        }
        if (!patterns.empty())
            patterns += ';';
        patterns += "*." + std::string(extension);
    }
    return patterns;
}
