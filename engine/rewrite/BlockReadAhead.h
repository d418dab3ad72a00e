#pragma once
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "engine/rewrite/FileSource.h"

// Reads the blocks of a large file after its first on a thread of its own, up to two blocks
// ahead of the one who takes them, so that reading costs the one rewriting the text no time.
// The source is this object's until it is gone: it reads on from where the source stands.
class BlockReadAhead {
public:
    // Throws std::system_error when no thread can be had, std::bad_alloc without memory.
    BlockReadAhead(FileSource& source, std::size_t blockSize);
    // Stops reading, and waits for a read under way.
    ~BlockReadAhead();
    BlockReadAhead(const BlockReadAhead&) = delete;
    BlockReadAhead& operator=(const BlockReadAhead&) = delete;

    // The next block, empty at the end of the file, there until the next call. False when
    // its read failed (FileSource::ReadNext).
    bool Next(std::string_view& block);

private:
    void Work();

    static constexpr int Buffers = 3;  // the one taken, and two read ahead

    FileSource& source_;
    const std::size_t blockSize_;
    std::unique_ptr<char[]> buffers_[Buffers];
    std::size_t sizes_[Buffers] = {};
    std::mutex mutex_;
    std::condition_variable changed_;
    int head_ = 0;        // the oldest block read and not given back
    int count_ = 0;       // blocks read and not given back, the one taken among them
    bool taken_ = false;  // the block at head_ is the taker's
    bool ended_ = false;  // nothing more is read: the end, a failed read, or closing
    bool failed_ = false;
    bool closing_ = false;
    std::thread thread_;
};
