#include "cli/LogFile.h"

#include "platform/UndoFiles.h"

bool LogFile::Make()
{
    const bool there = platform::PathExists(path_);
    if (!platform::WriteWholeFile(path_, "", 0))
        return false;
    if (!there)
        made_ = platform::StampOfName(path_);
    return true;
}

bool LogFile::Write(const std::string& text)
{
    if (platform::WriteWholeFile(path_, text.data(), text.size()))
        return true;
    const std::optional<platform::FileStamp> now = platform::StampOfName(path_);
    if (made_ && now && now->Volume == made_->Volume && now->Index == made_->Index)
        platform::RemoveFile(path_);
    return false;
}
