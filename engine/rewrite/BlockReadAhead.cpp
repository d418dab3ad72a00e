#include "engine/rewrite/BlockReadAhead.h"

BlockReadAhead::BlockReadAhead(FileSource& source, std::size_t blockSize) : source_(source), blockSize_(blockSize)
{
    for (std::unique_ptr<char[]>& buffer : buffers_)
        buffer.reset(new char[blockSize_]);
    thread_ = std::thread([this] { Work(); });
}

BlockReadAhead::~BlockReadAhead()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BlockReadAhead::Work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return count_ < Buffers || closing_; });
        if (closing_ || source_.AtEnd())
            break;
        // The buffer after the last one read is nobody's until it is counted.
        const int slot = (head_ + count_) % Buffers;
        lock.unlock();
        std::size_t got = 0;
        const bool read = source_.ReadNext(buffers_[slot].get(), blockSize_, got);
        lock.lock();
        if (!read) {
            failed_ = true;
            break;
        }
        sizes_[slot] = got;
        ++count_;
        changed_.notify_all();
    }
    ended_ = true;
    changed_.notify_all();
}

bool BlockReadAhead::Next(std::string_view& block)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (taken_) {
        head_ = (head_ + 1) % Buffers;
        --count_;
        taken_ = false;
        changed_.notify_all();
    }
    changed_.wait(lock, [this] { return count_ > 0 || ended_; });
    if (count_ > 0) {
        taken_ = true;
        block = {buffers_[head_].get(), sizes_[head_]};
        return true;
    }
    block = {};
    return !failed_;
}
