#include "engine/FileCommit.h"

#include "platform/FileSystem.h"

namespace {

bool WriteTemporaryFile(const std::string& path, const char* text, std::size_t size)
{
    platform::FileWriter writer;
    if (!writer.Create(path))
        return false;
    bool written = writer.Write(text, size);
#ifdef _WIN32
    // The replace below is written through to the disk, but the data it points to is not:
    // without this a crash soon after could leave the file naming unwritten content.
    written = written && writer.Flush();
#endif
    written = writer.Close() && written;
    if (!written)
        platform::RemoveFile(path);
    return written;
}

}  // namespace

FileResult CommitNewText(const ReplaceJob& job, const std::string& path, const char* text, std::size_t size,
                         FileResult count, bool backUp)
{
    if (job.IsAborted())
        return Cancel;
    if (count == 0)
        return 0;
    // Refused up front, so that neither the temporary file nor a backup sharing the file's
    // storage is made for a replace that cannot happen.
    if (!platform::CanReplace(path))
        return WriteErr;
    const std::string temporary = path + ".tmp";
    if (!WriteTemporaryFile(temporary, text, size))
        return WriteErr;
    const std::string backup = path + ".bak";
    if (backUp) {
        platform::RemoveFile(backup);
        if (!platform::LinkOrCopyFile(path, backup)) {
            platform::RemoveFile(temporary);
            return WriteErr;
        }
    }
    if (!platform::ReplaceAtomically(temporary, path)) {
        platform::RemoveFile(temporary);
        if (backUp)
            platform::RemoveFile(backup);
        return WriteErr;
    }
    return count;
}
