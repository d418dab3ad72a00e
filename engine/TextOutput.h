#pragma once
#include <cstddef>
#include <string>

// Where a rewritten text goes as it is made, piece by piece in order.
class TextOutput {
public:
    // False when the piece could not be taken; nothing more need be written then.
    virtual bool Write(const char* data, std::size_t size) = 0;

protected:
    ~TextOutput() = default;
};

// Collects the text in memory.
class StringOutput final : public TextOutput {
public:
    explicit StringOutput(std::string& text) : text_(text) {}
    bool Write(const char* data, std::size_t size) override
    {
        text_.append(data, size);
        return true;
    }

private:
    std::string& text_;
};
