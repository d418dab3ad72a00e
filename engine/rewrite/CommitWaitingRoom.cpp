#include "engine/rewrite/CommitWaitingRoom.h"

namespace {

thread_local CommitWaitingRoom* openRoom = nullptr;

}  // namespace

CommitWaitingRoom::CommitWaitingRoom()
{
    openRoom = this;
}

CommitWaitingRoom::~CommitWaitingRoom()
{
    openRoom = nullptr;
}

FileResult CommitOrWait(std::unique_ptr<TemporaryFileOutput> output, const AbortFlag& abort, FileResult count,
                        bool backUp, ProcessedFiles* processed)
{
    if (!openRoom || openRoom->waiting_)
        return output->Commit(abort, count, backUp, processed);
    const FileResult completed = output->Complete(abort, count, processed);
    if (completed > 0)
        openRoom->waiting_.reset(new WaitingCommit{std::move(output), completed, backUp});
    return completed;
}

std::vector<FileResult> PutInPlaceTogether(std::span<WaitingCommit* const> commits, const AbortFlag& abort)
{
    std::vector<FileResult> results(commits.size(), Cancel);
    if (IsAborted(abort))
        return results;
    std::vector<platform::FileWriter*> writers;
    for (WaitingCommit* commit : commits)
        writers.push_back(&commit->Output->Writer());
    const std::vector<bool> flushed = platform::FileWriter::FlushBeforeReplaceTogether(writers);
    for (std::size_t i = 0; i < commits.size(); ++i)
        results[i] = IsAborted(abort) ? Cancel : commits[i]->Output->PutInPlace(commits[i]->BackUp, flushed[i]);
    return results;
}
