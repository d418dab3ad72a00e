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
    if (completed <= 0)
        return completed;
    // The original is kept while the file waits, by the thread that made it, so that the
    // one putting a group in place only writes the journal's lines for all of them.
    if (const FileResult kept = output->KeepOriginal(); kept < 0)
        return kept;
    openRoom->waiting_.reset(new WaitingCommit{std::move(output), completed, backUp});
    return completed;
}

std::vector<FileResult> PutInPlaceTogether(std::span<WaitingCommit* const> commits)
{
    std::vector<FileResult> results(commits.size(), Cancel);
    std::vector<platform::FileWriter*> writers;
    for (WaitingCommit* commit : commits)
        writers.push_back(&commit->Output->Writer());
    const std::vector<bool> flushed = platform::FileWriter::FlushBeforeReplaceTogether(writers);
    // Every original was kept as its file began to wait; they are made to last in one go,
    // then every name taken.
    CommitObserver* observer = nullptr;
    for (WaitingCommit* commit : commits)
        if (commit->Output->Commits())
            observer = commit->Output->Commits();
    const bool originalsLast = !observer || observer->BeforeNames();
    for (std::size_t i = 0; i < commits.size(); ++i)
        results[i] = commits[i]->Output->TakeName(commits[i]->BackUp, flushed[i], originalsLast);
    return results;
}
