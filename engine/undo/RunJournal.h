#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

#include "engine/rewrite/CommitObserver.h"
#include "engine/undo/RunFolder.h"
#include "platform/UndoFiles.h"

// What the journal tells of a run besides its files.
struct RunDescription {
    // The current folder, against which the run's relative names are made absolute.
    std::string Folder;
    // What the run replaced, as the user reads it.
    std::string What;
};

// The journal of one run, which keeps the original of every file the run puts in place
// before the new content takes its name: a second name of the original in the journal's
// folder where it lies on the same file system (no byte copied), a copy otherwise. Each
// file's line is written before its rename (the lines of files put in place together in
// one write), so a run killed at any moment leaves a journal that names every file it
// changed.
class RunJournal final : public CommitObserver {
public:
    RunJournal() = default;
    RunJournal(const RunJournal&) = delete;
    RunJournal& operator=(const RunJournal&) = delete;
    ~RunJournal() override;

    // Starts a new run in the folder of runs `runs`, made when missing; false, leaving
    // nothing, when its folder cannot be made or written.
    bool Open(const std::string& runs, const RunDescription& run);
    const std::string& Id() const { return folder_.Id; }

    bool BeforeCommit(const FileCommit& commit, std::uint64_t& entry) override;
    bool BeforeNames() override;
    void AfterCommit(std::uint64_t entry, bool committed) override;

    // Once the run has ended, also after a stop: the journal reaches the disk with the
    // run's end. A run that put no file in place leaves no journal.
    void Close(bool completed);
    // The files put in place with their originals kept.
    std::size_t Committed() const { return committed_.load(); }

private:
    RunFolder folder_;
    std::string currentFolder_;
    platform::ExclusiveLock lock_;
    platform::AppendFile journal_;
    platform::HeldFolder originals_;
    std::mutex appending_;
    std::string unwritten_;  // lines that BeforeNames writes (BeforeCommit's, and those after them)
    std::unordered_map<std::uint64_t, std::uint64_t> sizes_;  // of the originals kept, until told
    std::uint64_t keptBytes_ = 0;                             // of the originals of files put in place
    std::atomic<std::uint64_t> next_{1};
    std::atomic<std::size_t> committed_{0};
    bool open_ = false;
};
