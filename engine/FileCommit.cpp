#include "engine/FileCommit.h"

#include "engine/BackupBeforeReplace.h"
#include "engine/DerivedNames.h"
#include "engine/ProcessedFiles.h"
#include "platform/FileSystem.h"

namespace {

// Leaves `writer` open on the written file, which stays nameless to the rest of the
// run until it is put in place.
bool WriteTemporaryFile(platform::FileWriter& writer, const std::string& path, const char* text, std::size_t size)
{
    // Whatever has the name (a leftover of a run that was stopped, or a link planted there)
    // goes: writing through a link would overwrite the file it points to. Asked only when
    // the name is taken, which it seldom is.
    if (!writer.CreateNew(path)) {
        platform::RemoveFile(path);
        if (!writer.CreateNew(path))
            return false;
    }
    if (writer.Write(text, size) && writer.FlushBeforeReplace())
        return true;
    writer.Close();
    platform::RemoveFile(path);
    return false;
}

}  // namespace

FileResult CommitNewText(const AbortFlag& abort, const std::string& path, const char* text, std::size_t size,
                         FileResult count, bool backUp, const platform::FileStamp& read, ProcessedFiles* processed)
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
    platform::FileWriter writer;
    if (!WriteTemporaryFile(writer, temporary, text, size))
        return WriteErr;
    // A stop that came while the text was written still keeps the file as it is.
    if (IsAborted(abort)) {
        writer.Close();
        platform::RemoveFile(temporary);
        return Cancel;
    }
    if (processed)
        if (const std::optional<platform::FileIdentity> identity = writer.Identity())
            processed->ClaimNewFile(*identity);
    const BackupMade backup = backUp ? BackUpBeforeReplace(path, read) : BackupMade::None;
    if ((backUp && backup == BackupMade::None) || !writer.CloseAndReplace(path, &read)) {
        writer.Close();
        platform::RemoveFile(temporary);
        // An older backup was kept, or, had the file changed in the last moment, replaced
        // by one of the file as it is.
        if (backup == BackupMade::WhereNoneWas)
            platform::RemoveFile(BackupPathOf(path));
        return WriteErr;
    }
    return count;
}
