#include "lists/History.h"

#include <algorithm>

#include "lists/LineFileWriter.h"
#include "lists/ListLine.h"
#include "lists/ListLocations.h"
#include "lists/TextLines.h"

void UpdateHistoryFile(const std::string& path, std::string_view find, std::string_view replace,
                       PatternOptions options)
{
    std::vector<std::string> lines;
    ReadTextLines(path, lines);
    const std::string current = FormatListLine(RowForPattern(find, replace, options));
    const auto same = std::find(lines.begin(), lines.end(), current);
    if (same != lines.end())
        lines.erase(same);
    lines.insert(lines.begin(), current);
    if (lines.size() > HistoryLength)
        lines.resize(HistoryLength);

    LineFileWriter writer(path);
    for (const std::string& line : lines)
        writer.WriteLine(line);
    writer.Close();
}

void UpdateHistory(std::string_view find, std::string_view replace, PatternOptions options)
{
    UpdateHistoryFile(HistoryFilePath(), find, replace, options);
}
