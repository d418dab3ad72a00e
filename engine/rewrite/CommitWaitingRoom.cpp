#include "engine/rewrite/CommitWaitingRoom.h"

#include "engine/rewrite/CommitObserver.h"

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
    if (IsAborted(abort))
        return results;
    // Every original kept first, made to last in one go, then every name taken.
    CommitObserver* observer = nullptr;
    for (std::size_t i = 0; i < commits.size(); ++i) {
        results[i] = commits[i]->Output->KeepOriginal(flushed[i]);
        if (results[i] == 0)
            observer = commits[i]->Output->Commits();
    }
    const bool originalsLast = !observer || observer->BeforeNames();
    for (std::size_t i = 0; i < commits.size(); ++i)
        if (results[i] == 0)
            results[i] = commits[i]->Output->TakeName(commits[i]->BackUp, originalsLast);
    return results;
}
