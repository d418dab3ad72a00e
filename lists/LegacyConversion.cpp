#include "lists/LegacyConversion.h"

#include "lists/LineFileWriter.h"
#include "lists/ListLine.h"
#include "lists/ListLocations.h"
#include "lists/TabRule.h"
#include "lists/TextLines.h"
#include "platform/FileSystem.h"

LegacyConversion ConvertLegacyList(const std::string& folder)
{
    const std::string legacyPath = folder + LegacyListFileName;
    if (!platform::PathExists(legacyPath))
        return LegacyConversion::NoLegacyFile;
    std::vector<std::string> lines;
    if (!ReadTextLines(legacyPath, lines))
        return LegacyConversion::LegacyUnreadable;

    LineFileWriter writer(folder + DefaultListFileName);
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        const std::string replace = i + 1 < lines.size() ? lines[i + 1] : std::string();
        // Two fields only: the old file has no options. A TAB inside a text would shift the
        // fields, so the texts get the TAB rule of every entered pattern.
        writer.WriteLine(EscapeTabs(lines[i]).append(1, '\t').append(EscapeTabs(replace)));
    }
    switch (writer.Close()) {
    case ListWriteResult::CreateFailed:
        return LegacyConversion::ListNotCreated;
    case ListWriteResult::WriteFailed:
        return LegacyConversion::ListNotWritten;
    case ListWriteResult::Written:
        break;
    }
    return platform::RemoveFile(legacyPath) ? LegacyConversion::Converted : LegacyConversion::LegacyNotDeleted;
}
