#pragma once
// Where the new files of a run wait to take their names, so that the data of several
// reaches the disk in one go: a flush before each rename, one file after the other, would
// make every file wait for the disk on its own.
#include <memory>
#include <span>
#include <vector>

#include "engine/flow/AbortFlag.h"
#include "engine/flow/FileResult.h"
#include "engine/rewrite/TemporaryFileOutput.h"

class ProcessedFiles;

// A new file written in full, claimed, and on its way to the disk.
struct WaitingCommit {
    std::unique_ptr<TemporaryFileOutput> Output;
    FileResult Count = 0;
    bool BackUp = false;
};

// Open on a thread while it rewrites one file: the file's commit waits here instead of
// taking place at once. One room at a time on a thread.
class CommitWaitingRoom {
public:
    CommitWaitingRoom();
    ~CommitWaitingRoom();
    CommitWaitingRoom(const CommitWaitingRoom&) = delete;
    CommitWaitingRoom& operator=(const CommitWaitingRoom&) = delete;

    // The commit left here, if any.
    std::unique_ptr<WaitingCommit> Leave() { return std::move(waiting_); }

private:
    friend FileResult CommitOrWait(std::unique_ptr<TemporaryFileOutput> output, const AbortFlag& abort,
                                   FileResult count, bool backUp, ProcessedFiles* processed);
    std::unique_ptr<WaitingCommit> waiting_;
};

// Commits `output` as TemporaryFileOutput::Commit does; while a room is open on this
// thread, completes it and leaves it waiting there, and returns what the commit will
// return when it succeeds (or what Commit returns for nothing to do, an abort or a failed
// write, with nothing left waiting).
FileResult CommitOrWait(std::unique_ptr<TemporaryFileOutput> output, const AbortFlag& abort, FileResult count,
                        bool backUp, ProcessedFiles* processed);

// Puts the waiting commits in place in their order, their data flushed first, and returns
// each one's outcome as Commit would have. A stop of the run since does not cancel them:
// their new text was whole before it, as a file committed on its own would have been.
std::vector<FileResult> PutInPlaceTogether(std::span<WaitingCommit* const> commits);
