#include "app/ReplaceLogFile.h"

#include "engine/ResultLog.h"
#include "platform/FileSystem.h"

bool WriteReplaceLog(const ResultLog& log)
{
    return platform::WriteWholeFile(ReplaceLogFileName, log.Text().data(), log.Text().size());
}
