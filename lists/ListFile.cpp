#include "lists/ListFile.h"

#include "engine/rewrite/DerivedNames.h"
#include "lists/ListLine.h"
#include "lists/TextLines.h"

bool AppendListRows(const std::string& path, ListRows& rows)
{
    return ForEachFileLine(path, [&](std::string_view line) { rows.push_back(SplitListLine(line)); });
}

bool ReadPatternList(const std::string& path, PatternList& patterns)
{
    patterns.clear();
    return ForEachFileLine(path, [&](std::string_view line) { patterns.push_back(ParseListLine(line)); });
}

PatternList ReadPatternList(const std::string& path)
{
    PatternList patterns;
    ReadPatternList(path, patterns);
    return patterns;
}

namespace {

void WriteRows(LineFileWriter& writer, const ListRows& rows)
{
    for (const ListRow& row : rows)
        writer.WriteLine(FormatListLine(row));
}

}  // namespace

ListWriteResult WriteListFile(const std::string& path, const ListRows& rows)
{
    LineFileWriter writer(path);
    WriteRows(writer, rows);
    return writer.Close();
}

ListWriteResult SaveListFile(const std::string& path, const ListRows& rows)
{
    const bool replacing = platform::PathExists(path);
    // Refused before anything is written beside a list that cannot be replaced.
    if (replacing && !platform::CanReplace(path))
        return ListWriteResult::CreateFailed;
    const std::string temporary = TemporaryPathOf(path);
    LineFileWriter writer(temporary);
    WriteRows(writer, rows);
    const ListWriteResult written = writer.CloseBeforeReplace();
    if (written != ListWriteResult::Written) {
        platform::RemoveFile(temporary);
        return written;
    }
    const bool placed =
        replacing ? platform::ReplaceAtomically(temporary, path) : platform::RenameNoReplace(temporary, path);
    if (!placed) {
        platform::RemoveFile(temporary);
        return ListWriteResult::CreateFailed;
    }
    return ListWriteResult::Written;
}
