#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/flow/TextOutput.h"
#include "engine/flow/TextSource.h"

// Hands a rewritten text on to `out` in large pieces, and only once it differs from the
// text it is made from: until the count of replacements `changes` grows above 0, what comes
// is the unchanged text and is only counted, and at the first replacement the unchanged
// start is copied from `unchanged` first. A text without a replacement is never written,
// however large. Without `changes` every piece is taken as new text.
class ChangedTextOutput final : public TextOutput {
public:
    // `expectedSize` only sizes the buffer.
    ChangedTextOutput(TextSource& unchanged, const std::uint64_t* changes, TextOutput& out,
                      std::uint64_t expectedSize);
    ChangedTextOutput(const ChangedTextOutput&) = delete;
    ChangedTextOutput& operator=(const ChangedTextOutput&) = delete;

    // At the end of the text: hands on what is left. When nothing was handed on and
    // `evenUnchanged` is set, the whole unchanged text goes to `out` instead, for a text
    // that must be written although this step changed nothing. False when refused.
    bool Finish(bool evenUnchanged);
    // Whether anything went to `out`.
    bool Started() const { return started_; }

    void WriteInThisThread() override { out_.WriteInThisThread(); }

private:
    bool WriteOut(const char* data, std::size_t size) override;
    bool Start();
    bool Flush();

    TextSource& unchanged_;
    const std::uint64_t* changes_;
    TextOutput& out_;
    std::size_t bufferSize_;
    std::unique_ptr<char[]> buffer_;
    std::uint64_t skipped_ = 0;  // unchanged bytes counted before the first replacement
    bool started_ = false;
    bool refused_ = false;
};
