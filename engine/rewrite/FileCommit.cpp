#include "engine/rewrite/FileCommit.h"

#include "engine/rewrite/CommitWaitingRoom.h"

FileResult CommitNewText(const AbortFlag& abort, const std::string& path, const char* text, std::size_t size,
                         FileResult count, bool backUp, const platform::FileStamp& read, ProcessedFiles* processed,
                         CommitObserver* commits)
{
    if (IsAborted(abort))
        return Cancel;
    if (count == 0)
        return 0;
    auto output = std::make_unique<TemporaryFileOutput>(path, read, commits);
    if (!output->Write(text, size))
        return WriteErr;
    return CommitOrWait(std::move(output), abort, count, backUp, processed);
}
