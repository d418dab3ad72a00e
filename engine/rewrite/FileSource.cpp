#include "engine/rewrite/FileSource.h"

#include <algorithm>
#include <new>
#include <vector>

FileResult FileSource::ReadFirst(std::size_t limit)
{
    firstSize_ = static_cast<std::size_t>(std::min<std::uint64_t>(Size(), limit));
    first_.reset(new (std::nothrow) char[firstSize_ + 1]);
    if (!first_)
        return MemLack;
    std::size_t got = 0;
    if (!file_.ReadAt(0, first_.get(), firstSize_, got) || got != firstSize_)
        return NotOpen;
    next_ = firstSize_;
    return 0;
}

bool FileSource::ReadNext(char* data, std::size_t capacity, std::size_t& got)
{
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, Size() - next_));
    if (!file_.ReadAt(next_, data, want, got) || got != want)
        return false;
    next_ += got;
    return true;
}

bool FileSource::CopyStart(std::uint64_t size, TextOutput& out)
{
    const std::size_t inMemory = static_cast<std::size_t>(std::min<std::uint64_t>(size, firstSize_));
    if (inMemory > 0 && !out.Write(first_.get(), inMemory))
        return false;
    // A change after the first block: the unchanged blocks before it are read again.
    std::vector<char> block;
    for (std::uint64_t at = inMemory; at < size;) {
        block.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size - at, 1 << 20)));
        std::size_t got = 0;
        if (!file_.ReadAt(at, block.data(), block.size(), got) || got != block.size() ||
            !out.Write(block.data(), got))
            return false;
        at += got;
    }
    return true;
}
