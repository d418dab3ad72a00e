#pragma once
// Several threads working through the files of a run: each file taken in list order, its
// outcome handed on in list order, so that what a run tells is the same with any number
// of workers.
#include <cstddef>
#include <functional>
#include <memory>
#include <span>

#include "engine/rewrite/CommitWaitingRoom.h"
#include "engine/rewrite/FileFacts.h"
#include "engine/flow/FileResult.h"

struct FileOutcome {
    FileResult Result = 0;
    FileFacts Facts;
    // The file's new text, written and waiting to take the name (CommitWaitingRoom).
    std::unique_ptr<WaitingCommit> Waiting;
    // The name the file was read under, links followed: where a new file takes its name.
    std::string ReadPath;
};

struct FileWork {
    // Whether to take the next file at all; once false, no file is taken any more.
    std::function<bool()> GoOn;
    // Called by the worker that took the file, before Take and outside its order: what can
    // be done for the file before its turn (opening it). May be empty.
    std::function<void(std::size_t index)> Prepare;
    // Called under one lock, in list order, as a worker takes a file: what must follow the
    // list (claims of the files by identity) is decided as one worker would decide it.
    std::function<bool(std::size_t index)> Take;
    // The file's work, on a worker, outside the lock; `taken` is what Take said.
    std::function<FileOutcome(std::size_t index, bool taken)> Work;
    // Called by one worker at a time with the outcomes there in a row after the ones handed
    // on, before they are handed on, once enough of them are there (or a while went by; one
    // worker alone settles each file): what is best done for several files at once (their
    // new files put in place). May be empty; then each outcome is handed on as soon as
    // those before it are.
    std::function<void(std::span<FileOutcome* const> outcomes)> Settle;
    // Called by one worker at a time, in list order, once a file's outcome and all before
    // it are there and settled.
    std::function<void(std::size_t index, const FileOutcome& outcome)> Deliver;
};

// Runs `work` over files 0 to count - 1 with `workers` threads, the calling thread one of
// them (1: the calling thread alone, as a plain loop). Every file taken is delivered, also after GoOn turned false.
// An exception of Work or Deliver stops the taking of files, waits for the workers and is
// thrown on. Returns the number of files delivered.
std::size_t WorkOnFiles(std::size_t count, unsigned workers, const FileWork& work);

// The workers a run gets when it asks for `wanted` (0: one per processor), never more than
// it has files.
unsigned WorkerCount(int wanted, std::size_t files);
