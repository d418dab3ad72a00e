#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "engine/flow/AbortFlag.h"
#include "engine/flow/FileResult.h"
#include "engine/literal/LiteralSearch.h"
#include "engine/flow/TextOutput.h"

// What the passes of one rewrite share: the abort, the replacements made so far, and the
// failure that decides the result. A failure is ranked by where the passes would have met
// it had each pass read the whole text before the next began: by pass, a NUL byte before a
// match, the output last.
struct PassesShared {
    static constexpr std::size_t NoFailure = std::numeric_limits<std::size_t>::max();
    static constexpr std::size_t OutputFailure = NoFailure - 1;

    explicit PassesShared(const AbortFlag& abort) : Abort(abort) {}

    void Fail(std::size_t rank, FileResult code)
    {
        if (rank < FailureRank) {
            FailureRank = rank;
            Failure = code;
        }
    }

    const AbortFlag& Abort;
    std::uint64_t Changes = 0;
    bool Cancelled = false;
    std::size_t FailureRank = NoFailure;
    FileResult Failure = 0;
};

// One alternative of a literal pattern applied to a text that comes piece by piece, its
// output handed to `next` as it is made. The text is searched in a window: a match is
// taken only where the bytes after it that the character rule may read are in the window
// as well, and the window's end is kept, from a place where characters may be counted
// afresh, for the search of the next window. So a match that crosses the end of a piece,
// or a character cut by it, is found exactly as in the whole text.
class LiteralPass final : public TextOutput {
public:
    // Without `replacement`, which the encoding cannot hold, a match fails the pass with
    // EncodeER. With `checksNul`, the first pass of a pattern, a NUL byte fails it with
    // NoText. Without `search` the pass only looks for NUL bytes.
    LiteralPass(std::size_t index, const LiteralSearch* search, const std::string* replacement, bool checksNul,
                std::size_t windowSize, TextOutput& next, PassesShared& shared);
    LiteralPass(const LiteralPass&) = delete;
    LiteralPass& operator=(const LiteralPass&) = delete;

    // At the end of the text. False when the run was aborted.
    bool Finish();
    // The lowest rank of a failure this pass may still meet; NoFailure when none.
    std::size_t LowestFailureLeft() const;

    // The smallest window a search of `length` bytes can go on in.
    static std::size_t SmallestWindow(std::size_t length);

private:
    bool WriteOut(const char* data, std::size_t size) override;
    bool Process(bool final);
    bool Replace(std::string_view text, std::size_t limit, std::size_t& copied);
    void CheckForNul(const char* data, std::size_t size);
    // Hands a piece on; false when the run was aborted.
    bool Emit(const char* data, std::size_t size)
    {
        return size == 0 || outputClosed_ || next_.Write(data, size) || Refused();
    }
    // What a piece the output refused means: false when the run was aborted.
    bool Refused();
    void Keep(std::size_t from, std::size_t filled);
    bool PassesOn() const { return !nulFound_ && !searchFailed_ && !outputClosed_; }

    std::size_t index_;
    const LiteralSearch* search_;
    const std::string* replacement_;
    bool checksNul_;
    TextOutput& next_;
    PassesShared& shared_;
    std::unique_ptr<char[]> window_;
    std::size_t capacity_ = 0;
    std::size_t checked_ = 0;  // window bytes looked at for NUL bytes
    bool nulFound_ = false;
    bool searchFailed_ = false;
    bool outputClosed_ = false;
};
