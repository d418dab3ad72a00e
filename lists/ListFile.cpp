#include "lists/ListFile.h"

#include "lists/ListLine.h"
#include "lists/TextLines.h"

void AppendListRows(const std::string& path, ListRows& rows)
{
    ForEachFileLine(path, [&](std::string_view line) { rows.push_back(SplitListLine(line)); });
}

PatternList ReadPatternList(const std::string& path)
{
    PatternList patterns;
    ForEachFileLine(path, [&](std::string_view line) { patterns.push_back(ParseListLine(line)); });
    return patterns;
}

ListWriteResult WriteListFile(const std::string& path, const ListRows& rows)
{
    LineFileWriter writer(path);
    for (const ListRow& row : rows)
        writer.WriteLine(FormatListLine(row));
    return writer.Close();
}
