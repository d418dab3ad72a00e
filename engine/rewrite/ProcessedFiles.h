#pragma once
#include <cstddef>
#include <mutex>
#include <unordered_set>

#include "platform/FileSystem.h"

// The files a run has taken, by identity and stamp, so that one file is rewritten once
// however often and under whatever names (links, other spellings) the list names it.
// Shared by whatever works on the run's files: a claim is won by exactly one caller.
class ProcessedFiles {
public:
    // Room for the claims of `files` files made at once.
    explicit ProcessedFiles(std::size_t files = 0) { claimed_.reserve(files); }

    // True when the file has not been claimed in this run, and claims it. The stamp is the
    // one of the file as opened for reading, so that what is claimed is what is read.
    // A new file about to take a taken file's name is claimed before it has the name, so
    // that nobody can take it under that name or another. A claim names the file as it
    // was: a file that another program put in place since, even under an identity the
    // run freed (a file system gives a freed inode number to the next new file), or one it
    // changed, is another file, which the run takes when the list names it.
    bool Claim(const platform::FileStamp& stamp);

private:
    struct Hash {
        std::size_t operator()(const platform::FileStamp& stamp) const
        {
            return std::hash<std::uint64_t>()((stamp.Index * 0x9e3779b97f4a7c15u ^ stamp.Volume) + stamp.Modified);
        }
    };

    std::mutex mutex_;
    std::unordered_set<platform::FileStamp, Hash> claimed_;
};
