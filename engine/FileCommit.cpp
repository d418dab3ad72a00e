#include "engine/FileCommit.h"

#include "engine/DerivedNames.h"
#include "platform/FileSystem.h"

namespace {

bool WriteTemporaryFile(const std::string& path, const char* text, std::size_t size)
{
    // Whatever has the name (a leftover of a run that was stopped, or a link planted there)
    // goes: writing through a link would overwrite the file it points to. Asked only when
    // the name is taken, which it seldom is.
    platform::FileWriter writer;
    if (!writer.CreateNew(path)) {
        platform::RemoveFile(path);
        if (!writer.CreateNew(path))
            return false;
    }
    bool written = writer.Write(text, size) && writer.FlushBeforeReplace();
    written = writer.Close() && written;
    if (!written)
        platform::RemoveFile(path);
    return written;
}

}  // namespace

FileResult CommitNewText(const AbortFlag& abort, const std::string& path, const char* text, std::size_t size,
                         FileResult count, bool backUp, const platform::FileStamp& read)
{
    if (IsAborted(abort))
        return Cancel;
    if (count == 0)
        return 0;
    // Refused up front, so that neither the temporary file nor a backup sharing the file's
    // storage is made for a replace that cannot happen.
    if (!platform::CanReplace(path, &read))
        return WriteErr;
    const std::string temporary = TemporaryPathOf(path);
    if (!WriteTemporaryFile(temporary, text, size))
        return WriteErr;
    const std::string backup = BackupPathOf(path);
    if (backUp) {
        platform::RemoveFile(backup);
        if (!platform::LinkOrCopyFile(path, backup)) {
            platform::RemoveFile(temporary);
            return WriteErr;
        }
    }
    if (!platform::ReplaceAtomically(temporary, path, &read)) {
        platform::RemoveFile(temporary);
        if (backUp)
            platform::RemoveFile(backup);
        return WriteErr;
    }
    return count;
}
