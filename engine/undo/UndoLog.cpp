#include "engine/undo/UndoLog.h"

#include "engine/run/LogTable.h"

const char* UndoWord(UndoResult result)
{
    switch (result) {
    case UndoResult::Restored:
        return "Restored";
    case UndoResult::RestoredBefore:
        return "  Undone";
    case UndoResult::Changed:
        return " Changed";
    case UndoResult::Missing:
        return " Missing";
    case UndoResult::NotKept:
        return " NotKept";
    case UndoResult::NotOpen:
        return " NotOpen";
    case UndoResult::WriteErr:
        return "WriteErr";
    }
    return "  Failed";
}

bool IsBack(UndoResult result)
{
    return result == UndoResult::Restored || result == UndoResult::RestoredBefore;
}

void UndoLog::ResetLog()
{
    text_ = LogHeading("復元結果");
    logged_ = restored_ = before_ = 0;
    shown_ = 0;
}

void UndoLog::AddLogLine(const std::string& path, UndoResult result)
{
    ++logged_;
    restored_ += result == UndoResult::Restored;
    before_ += result == UndoResult::RestoredBefore;
    shown_ |= 1u << static_cast<unsigned>(result);
    text_ += LogRow(path, UndoWord(result));
}

void UndoLog::FinishLog()
{
    text_ += LogTotals("総復元数", static_cast<std::int64_t>(restored_));
}
