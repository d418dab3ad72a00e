#include "engine/run/ResultLog.h"

#include <cinttypes>
#include <cstdio>

#include "engine/run/LogTable.h"

const char* StatusWord(FileResult result)
{
    switch (result) {
    case NotOpen:
        return " NotOpen";
    case MemLack:
        return " MemLack";
    case NoText:
        return "  NoText";
    case RegExpER:
        return "RegExpER";
    case Cancel:
        return "  Cancel";
    case WriteErr:
        return "WriteErr";
    case EncodeER:
        return "EncodeER";
    case Iso2022:
        return " ISO2022";
    case BackupOfListed:
        return "  Backup";
    case UndoErr:
        return " UndoErr";
    default:
        return nullptr;
    }
}

void ResultLog::ResetLog()
{
    text_ = LogHeading("置換え数");
    total_ = 0;
    failed_ = 0;
    cancelled_ = 0;
    files_ = 0;
    changed_ = 0;
}

void ResultLog::AddLogLine(const std::string& path, FileResult result)
{
    ++files_;
    if (result < 0)
        ++failed_;
    if (result == Cancel)
        ++cancelled_;
    if (result > 0)
        ++changed_;
    const char* word = StatusWord(result);
    char count[16];
    if (!word) {
        std::snprintf(count, sizeof count, "%8" PRId32, result);
        if (result > 0)
            total_ += result;
    }
    text_ += LogRow(path, word ? word : count);
}

void ResultLog::FinishLog()
{
    text_ += LogTotals("総置換え数", total_);
}
