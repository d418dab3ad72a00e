#pragma once
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

// A rewritten file about to take the name of the file it replaces.
struct FileCommit {
    // The name it takes: the file behind links, as the run read it.
    const std::string& Path;
    // The file it replaces, as it was read, and the new file as it was written.
    const platform::FileStamp& Original;
    const platform::FileStamp& Made;
    // Of the new file's content (ContentDigest).
    std::uint64_t Digest;
};

// Who is told of every file a run puts in place, before and after it takes the name: the
// undo journal, which keeps the original first. The job carries one or none; workers call
// it at once for different files.
class CommitObserver {
public:
    virtual ~CommitObserver() = default;
    // Just before the new file takes the name. False when it must not: the file then keeps
    // its content (UndoErr). `entry` is handed back to AfterCommit.
    virtual bool BeforeCommit(const FileCommit& commit, std::uint64_t& entry) = 0;
    // Once BeforeCommit was told of one file or several, before any of them takes its name:
    // what it was told is made to last now, for all of them at once (the journal's lines
    // written in one go). False when none of them may take the name (UndoErr).
    virtual bool BeforeNames() = 0;
    // Whether the new file took the name after all.
    virtual void AfterCommit(std::uint64_t entry, bool committed) = 0;
};
