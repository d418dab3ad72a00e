#include "engine/rewrite/BackupBeforeReplace.h"

#include "engine/rewrite/DerivedNames.h"

BackupMade BackUpBeforeReplace(const std::string& path, const platform::FileStamp& read)
{
    const std::string backup = BackupPathOf(path);
    // Without an older backup the file's second name is the backup at once.
    if (platform::LinkOrCopyFile(path, backup))
        return BackupMade::WhereNoneWas;
    if (!platform::PathExists(backup))
        return BackupMade::None;
    const std::string untouched = UntouchedPathOf(path);
    // A leftover of a run that was stopped before its backup took its name goes.
    if (!platform::RemoveLeftover(untouched) || !platform::LinkOrCopyFile(path, untouched))
        return BackupMade::None;
    if (platform::CanReplace(path, &read) && platform::RenameReplacing(untouched, backup)) {
        // An older backup that is a second name of the file itself (a run stopped between
        // its backup and its replace) makes the rename do nothing and keep both names.
        platform::RemoveFile(untouched);
        return BackupMade::OverAnOlderOne;
    }
    platform::RemoveFile(untouched);
    return BackupMade::None;
}
