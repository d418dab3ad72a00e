#include "engine/ReplaceAllPatterns.h"

#include "engine/DerivedNames.h"
#include "engine/ReplaceInFile.h"
#include "platform/FileSystem.h"

namespace {

// Why the untouched copy could not be made: the file itself, or the copy's side.
FileResult CopyFailure(const std::string& path)
{
    platform::FileContent content;
    switch (platform::ReadWholeFile(path, content)) {
    case platform::ReadStatus::Ok:
        return WriteErr;
    case platform::ReadStatus::NoMemory:
        return MemLack;
    default:
        return NotOpen;
    }
}

}  // namespace

FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path)
{
    const std::string untouched = UntouchedPathOf(path);
    platform::RemoveFile(untouched);
    // A copy, not a rename: the file never leaves its place, and the copy shares no
    // storage with it.
    if (!platform::CopyFileNoOverwrite(path, untouched))
        return CopyFailure(path);

    FileResult total = 0;
    bool rewritten = false;
    for (const ReplacePattern& pattern : job.Patterns) {
        // No backups per pattern: the backup of the whole run is made from the copy.
        const FileResult result = ReplaceInFile(job, path, pattern, false);
        if (result < 0) {
            // A copy that cannot be moved back stays: it is then the only content from
            // before the run.
            if (rewritten)
                platform::ReplaceAtomically(untouched, path);
            else
                platform::RemoveFile(untouched);
            return result;
        }
        total += result;
        rewritten = rewritten || result > 0;
    }
    if (job.BackUp) {
        const std::string backup = BackupPathOf(path);
        platform::RemoveFile(backup);
        platform::RenameNoReplace(untouched, backup);
    } else {
        platform::RemoveFile(untouched);
    }
    return total;
}
