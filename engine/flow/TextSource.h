#pragma once
#include <cstdint>
#include <string_view>

#include "engine/flow/TextOutput.h"

// A text a rewrite reads, as it was before the rewrite, which can hand over its start
// again: a rewritten text that is passed on only once it differs gets the part before
// the first difference from here.
class TextSource {
public:
    virtual std::uint64_t Size() const = 0;
    // Writes the first `size` bytes of the text to `out`; false when they cannot be read
    // or `out` refuses them.
    virtual bool CopyStart(std::uint64_t size, TextOutput& out) = 0;

protected:
    ~TextSource() = default;
};

// A text that is in memory as a whole.
class MemorySource final : public TextSource {
public:
    explicit MemorySource(std::string_view text) : text_(text) {}
    std::uint64_t Size() const override { return text_.size(); }
    bool CopyStart(std::uint64_t size, TextOutput& out) override
    {
        return size <= text_.size() && out.Write(text_.data(), static_cast<std::size_t>(size));
    }

private:
    std::string_view text_;
};
