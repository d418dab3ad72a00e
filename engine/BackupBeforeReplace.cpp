#include "engine/BackupBeforeReplace.h"

#include "engine/DerivedNames.h"

bool BackUpBeforeReplace(const std::string& path, const platform::FileStamp& read)
{
    const std::string untouched = UntouchedPathOf(path);
    // A leftover of a run that was stopped before its backup took its name.
    platform::RemoveFile(untouched);
    if (!platform::LinkOrCopyFile(path, untouched))
        return false;
    if (platform::CanReplace(path, &read) && platform::RenameReplacing(untouched, BackupPathOf(path)))
        return true;
    platform::RemoveFile(untouched);
    return false;
}
