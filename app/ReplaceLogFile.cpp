#include "app/ReplaceLogFile.h"

#include "engine/run/ResultLog.h"
#include "platform/FileSystem.h"

bool WriteReplaceLog(const ResultLog& log, const std::string& path)
{
    return platform::WriteWholeFile(path, log.Text().data(), log.Text().size());
}
