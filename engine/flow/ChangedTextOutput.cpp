#include "engine/flow/ChangedTextOutput.h"

#include <algorithm>
#include <cstring>

namespace {

// Pieces are gathered into writes of this size; a file smaller than that is written in
// one piece, as it always was.
constexpr std::size_t LargestBuffer = 256 * 1024;
constexpr std::size_t SmallestBuffer = 4 * 1024;

}  // namespace

ChangedTextOutput::ChangedTextOutput(TextSource& unchanged, const std::uint64_t* changes, TextOutput& out,
                                     std::uint64_t expectedSize)
    : unchanged_(unchanged),
      changes_(changes),
      out_(out),
      bufferSize_(static_cast<std::size_t>(
          std::clamp<std::uint64_t>(expectedSize + expectedSize / 8, SmallestBuffer, LargestBuffer)))
{
}

bool ChangedTextOutput::Start()
{
    started_ = true;
    buffer_.reset(new char[bufferSize_]);
    cursor_ = buffer_.get();
    room_ = bufferSize_;
    // Through the buffer, so that a small file still goes out in one write.
    if (skipped_ == 0 || unchanged_.CopyStart(skipped_, *this))
        return true;
    refused_ = true;
    room_ = 0;
    return false;
}

bool ChangedTextOutput::Flush()
{
    if (refused_)
        return false;
    const std::size_t size = static_cast<std::size_t>(cursor_ - buffer_.get());
    cursor_ = buffer_.get();
    room_ = bufferSize_;
    if (size == 0 || out_.Write(buffer_.get(), size))
        return true;
    refused_ = true;
    room_ = 0;
    return false;
}

bool ChangedTextOutput::WriteOut(const char* data, std::size_t size)
{
    if (!started_) {
        if (changes_ && *changes_ == 0) {
            skipped_ += size;
            return true;
        }
        if (!Start())
            return false;
        return Write(data, size);
    }
    if (!Flush())
        return false;
    if (size >= bufferSize_ / 2) {
        refused_ = !out_.Write(data, size);
        return !refused_;
    }
    std::memcpy(cursor_, data, size);
    cursor_ += size;
    room_ -= size;
    return true;
}

bool ChangedTextOutput::Finish(bool evenUnchanged)
{
    if (!started_) {
        // A change to an empty replacement at the very end wrote nothing after it: the
        // unchanged start is still the new text's.
        const bool changed = changes_ && *changes_ > 0;
        if (!changed && !evenUnchanged)
            return true;
        if (!changed)
            skipped_ = unchanged_.Size();
        if (!Start())
            return false;
    }
    return Flush();
}
