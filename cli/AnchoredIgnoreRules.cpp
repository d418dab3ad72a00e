#include "cli/AnchoredIgnoreRules.h"

namespace {

// A folder's path as a pattern that matches it and nothing else.
std::string LiteralPattern(std::string_view path)
{
    std::string pattern;
    for (const char c : path) {
        if (std::string_view("*?[]\\!#").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// Where a pattern ends: git drops the CR of a CRLF line and then trailing spaces and tabs,
// but not one escaped by an odd number of backslashes.
std::size_t PatternEnd(std::string_view line)
{
    std::size_t end = line.size();
    if (end > 0 && line[end - 1] == '\r')
        --end;
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) {
        std::size_t backslashes = 0;
        while (backslashes + 1 < end && line[end - 2 - backslashes] == '\\')
            ++backslashes;
        if (backslashes % 2 != 0)
            break;
        --end;
    }
    return end;
}

}  // namespace

std::string AnchoredIgnoreRules(std::string_view folder, std::string_view text)
{
    // git reads an ignore file as a string: it ends at a NUL; a UTF-8 byte order mark is skipped.
    text = text.substr(0, text.find('\0'));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // A leading slash anchors each rule at the root, the folder "/" included.
    const std::string root = "/" + LiteralPattern(folder.substr(folder.starts_with('/') ? 1 : 0));
    const std::string below = root.size() > 1 ? root + "/" : root;
    std::string rules;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const bool negated = line.front() == '!';
        if (negated)
            line.remove_prefix(1);
        line = line.substr(0, PatternEnd(line));
        std::string_view body = line;
        if (body.ends_with('/'))
            body.remove_suffix(1);
        // git anchors a pattern with a slash other than a trailing one, and drops its leading slash.
        const bool anchored = body.find('/') != std::string_view::npos;
        if (line.starts_with('/'))
            line.remove_prefix(1);
        if (body.starts_with('/'))
            body.remove_prefix(1);
        if (body.empty())
            continue;
        if (negated)
            rules += '!';
        rules += below;
        if (!anchored)
            rules += "**/";
        rules += line;
        rules += '\n';
    }
    return rules;
}
