#include "lists/TextLines.h"

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachTextLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    return ForEachFileLine(path, [&](std::string_view line) { lines.emplace_back(line); });
}
