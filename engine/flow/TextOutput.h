// flow/: what passes between the stages: text written and read piece by piece, a file's result, the abort flag.
#pragma once
#include <cstddef>
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
        std::memcpy(cursor_, data, size);
        cursor_ += size;
        room_ -= size;
        return true;
    }

protected:
    ~TextOutput() = default;

    // Takes a piece that does not fit into the room at cursor_.
    virtual bool WriteOut(const char* data, std::size_t size) = 0;

    char* cursor_ = nullptr;
    std::size_t room_ = 0;
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
