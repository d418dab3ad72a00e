#include "cli/ExtensionPatterns.h"

namespace {

std::string_view Trimmed(std::string_view piece)
{
    while (!piece.empty() && piece.front() == ' ')
        piece.remove_prefix(1);
    while (!piece.empty() && piece.back() == ' ')
        piece.remove_suffix(1);
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
