#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/flow/FileResult.h"
#include "engine/flow/TextSource.h"
#include "platform/FileReader.h"

// The text of an open file read a block at a time. Its first block stays in memory, where
// the encoding is told from it and a small file is read once only; the blocks after it are
// read in turn, from the start again after Rewind.
class FileSource final : public TextSource {
public:
    explicit FileSource(const platform::FileReader& file) : file_(file) {}

    // Reads the first block, of at most `limit` bytes. 0, NotOpen when the read fails,
    // MemLack when its memory cannot be had.
    FileResult ReadFirst(std::size_t limit);
    std::string_view First() const { return {first_.get(), firstSize_}; }

    bool AtEnd() const { return next_ >= Size(); }
    // Reads the next block after the first into `data`, `got` bytes, as many as `capacity`
    // except at the end. False when the read fails or the file ends before the size it had
    // when it was opened: its text is then not the file's.
    bool ReadNext(char* data, std::size_t capacity, std::size_t& got);
    // The next ReadNext reads the block after the first again.
    void Rewind() { next_ = firstSize_; }

    std::uint64_t Size() const override { return file_.Size(); }
    bool CopyStart(std::uint64_t size, TextOutput& out) override;

private:
    const platform::FileReader& file_;
    std::unique_ptr<char[]> first_;
    std::size_t firstSize_ = 0;
    std::uint64_t next_ = 0;  // where ReadNext reads
};
