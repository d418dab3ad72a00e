// flow/: what passes between the stages: text written and read piece by piece, a file's result, the abort flag.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Where a rewritten text goes as it is made, piece by piece in order. A piece that fits
// into the room an output offers is copied there without a call.
class TextOutput {
public:
    // False when the piece could not be taken; nothing more need be written then.
    bool Write(const char* data, std::size_t size)
    {
        if (size >= room_)
            return WriteOut(data, size);
        CopySmall(cursor_, data, size);
        cursor_ += size;
        room_ -= size;
        return true;
    }

    // Pieces may be copied in whole words of this many bytes, which run past a piece's end
    // into the room after it.
    static constexpr std::size_t Word = 16;
    // The room at the cursor when it holds `size` bytes and a word more; null otherwise.
    char* RoomFor(std::size_t size) const
    {
        const std::size_t room = roomEnd_ ? static_cast<std::size_t>(roomEnd_ - cursor_) : room_;
        return size + Word < room ? cursor_ : nullptr;
    }
    // What RoomFor gave is written up to `to`.
    void WrittenUntil(char* to)
    {
        const auto size = static_cast<std::size_t>(to - cursor_);
        room_ = size < room_ ? room_ - size : 0;
        cursor_ = to;
    }
    // The text's maker keeps every processor at work from here on: an output that writes on a
    // thread of its own meanwhile stops doing so, and writes what comes on the maker's.
    virtual void WriteInThisThread() {}

    // Copies `size` bytes in whole words: the bytes of the word after them are read and
    // written too.
    static char* CopyWords(char* to, const char* from, std::size_t size)
    {
        for (std::size_t done = 0; done < size; done += Word)
            std::memcpy(to + done, from + done, Word);
        return to + size;
    }

protected:
    ~TextOutput() = default;

    // A regular expression's rewrite writes several short pieces a match: those are copied
    // in place, as two words that may overlap, rather than by a call.
    static void CopySmall(char* to, const char* from, std::size_t size)
    {
        if (size > 32 && size <= 64) {
            char head[32], tail[32];
            std::memcpy(head, from, 32);
            std::memcpy(tail, from + size - 32, 32);
            std::memcpy(to, head, 32);
            std::memcpy(to + size - 32, tail, 32);
        } else if (size > 16 && size <= 32) {
            char head[16], tail[16];
            std::memcpy(head, from, 16);
            std::memcpy(tail, from + size - 16, 16);
            std::memcpy(to, head, 16);
            std::memcpy(to + size - 16, tail, 16);
        } else if (size >= 8 && size <= 16) {
            std::uint64_t head, tail;
            std::memcpy(&head, from, 8);
            std::memcpy(&tail, from + size - 8, 8);
            std::memcpy(to, &head, 8);
            std::memcpy(to + size - 8, &tail, 8);
        } else if (size >= 4 && size < 8) {
            std::uint32_t head, tail;
            std::memcpy(&head, from, 4);
            std::memcpy(&tail, from + size - 4, 4);
            std::memcpy(to, &head, 4);
            std::memcpy(to + size - 4, &tail, 4);
        } else if (size > 0 && size < 4) {
            to[0] = from[0];
            to[size / 2] = from[size / 2];
            to[size - 1] = from[size - 1];
        } else {
            std::memcpy(to, from, size);
        }
    }

    // Takes a piece that does not fit into the room at cursor_.
    virtual bool WriteOut(const char* data, std::size_t size) = 0;

    char* cursor_ = nullptr;
    std::size_t room_ = 0;
    // Where the memory at the cursor ends, when pieces written in words may go beyond the
    // room; null when they may not.
    char* roomEnd_ = nullptr;
};

// Collects the text in memory.
class StringOutput final : public TextOutput {
public:
    explicit StringOutput(std::string& text) : text_(text) {}

private:
    bool WriteOut(const char* data, std::size_t size) override
    {
        text_.append(data, size);
        return true;
    }

    std::string& text_;
};

// Takes a new text nobody reads: only its count matters.
class DroppedOutput final : public TextOutput {
    bool WriteOut(const char*, std::size_t) override { return true; }
};
