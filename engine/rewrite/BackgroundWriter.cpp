#include "engine/rewrite/BackgroundWriter.h"

BackgroundWriter::BackgroundWriter(platform::FileWriter& writer, ContentDigest* digest)
    : writer_(writer), digest_(digest), thread_([this] { Work(); })
{
}

BackgroundWriter::~BackgroundWriter()
{
    {
        std::unique_lock<std::mutex> lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::Work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || closing_; });
        if (!pending_)
            return;
        const char* data = writing_.get();
        const std::size_t size = size_;
        lock.unlock();
        if (digest_)
            digest_->Add(data, size);
        const bool written = writer_.Write(data, size);
        lock.lock();
        failed_ = failed_ || !written;
        pending_ = false;
        changed_.notify_all();
    }
}

bool BackgroundWriter::HandOver(std::unique_ptr<char[]>& block, std::size_t size)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    if (failed_)
        return false;
    writing_.swap(block);
    size_ = size;
    pending_ = true;
    lock.unlock();
    changed_.notify_all();
    return true;
}

bool BackgroundWriter::Wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    return !failed_;
}
