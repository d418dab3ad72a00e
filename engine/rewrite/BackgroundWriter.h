#pragma once
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/flow/ContentDigest.h"
#include "platform/FileSystem.h"

// Writes the blocks of one large file to its writer on a thread of its own, one block at a
// time, while the next block is made: the copy into the file then costs the one making the
// text no time. The blocks reach the file in the order they were handed over. The writer
// is this object's until Wait returns, and again after each Wait. So is `digest`, when
// given: each block is added to it on the way, in the same order.
class BackgroundWriter {
public:
    explicit BackgroundWriter(platform::FileWriter& writer, ContentDigest* digest = nullptr);
    // Waits for the block being written.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Hands `size` bytes of `block` over to be written, once the block before is written,
    // and gives back the buffer that block was in (null at the first hand-over), to be
    // filled next. False, with nothing handed over and `block` kept, once a write failed.
    bool HandOver(std::unique_ptr<char[]>& block, std::size_t size);
    // Waits until every block handed over is written: whether all were.
    bool Wait();

private:
    void Work();

    platform::FileWriter& writer_;
    ContentDigest* digest_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::unique_ptr<char[]> writing_;  // the block handed over, or the last one written
    std::size_t size_ = 0;
    bool pending_ = false;  // writing_ waits for, or is in, its write
    bool failed_ = false;
    bool closing_ = false;
    std::thread thread_;
};
