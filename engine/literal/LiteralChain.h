#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/flow/AbortFlag.h"
#include "engine/flow/ChangedTextOutput.h"
#include "engine/pattern/EncodedPattern.h"
#include "engine/flow/FileResult.h"
#include "engine/literal/LiteralPass.h"
#include "engine/literal/LiteralSearch.h"
#include "engine/flow/TextSource.h"

// Literal patterns applied in turn to a text that comes piece by piece, in bounded memory:
// each alternative of each pattern is a pass (LiteralPass) that hands its output to the
// next, so every pass reads the text the one before produced, as if each had read the whole
// text before the next began. The find texts are split into alternatives at every 0x1A and
// decoded unless NotEscape is set; the patterns are made ready for the text's encoding,
// whose rule every pass follows. A NUL byte in the text a pattern reads fails the rewrite
// with NoText, and a match that needs a replacement the encoding cannot hold with EncodeER.
// The new text goes to `out` through a ChangedTextOutput: not at all without a replacement.
class LiteralChain {
public:
    // `windowSize` 0 takes the usual size; `expectedSize`, the text's, only sizes memory.
    LiteralChain(const AbortFlag& abort, const std::vector<const EncodedPattern*>& patterns, TextSource& unchanged,
                 TextOutput& out, std::size_t windowSize, std::uint64_t expectedSize);
    LiteralChain(const LiteralChain&) = delete;
    LiteralChain& operator=(const LiteralChain&) = delete;

    // Where the text goes, piece by piece; a write fails only when the run was aborted.
    TextOutput& Input() { return passes_.empty() ? static_cast<TextOutput&>(output_) : *passes_.front(); }
    // After the last byte of the text. False when the run was aborted.
    bool Finish();
    // Whether the result is decided whatever the rest of the text holds: a pass has failed
    // and none before it can fail any more, or the run was aborted.
    bool Settled() const;
    // Whether the text itself holds a NUL byte, which fails it as NoText in every encoding.
    bool TextHoldsNul() const { return shared_.FailureRank == 0; }
    // The number of replacements, or Cancel, or the failure met first.
    FileResult Result() const;
    // After Finish, when the result is a count: hands on the rest of the new text, with
    // `evenUnchanged` the whole text also when nothing was replaced. False when refused.
    bool FinishOutput(bool evenUnchanged) { return output_.Finish(evenUnchanged); }

private:
    PassesShared shared_;
    ChangedTextOutput output_;
    std::deque<LiteralSearch> searches_;
    std::vector<std::unique_ptr<LiteralPass>> passes_;
};

// A whole text in memory through a chain, in pieces of `pieceSize` (0: at once) and
// windows of `windowSize` (0: the usual), for tests and benchmarks. `rewritten` gets the
// new text only when something was replaced.
FileResult RewriteLiteralText(const AbortFlag& abort, std::string_view text,
                              const std::vector<const EncodedPattern*>& patterns, std::string& rewritten,
                              std::size_t windowSize = 0, std::size_t pieceSize = 0);
// The same for a Shift-JIS text and one pattern as typed.
FileResult RewriteLiteralText(const AbortFlag& abort, std::string_view text, const ReplacePattern& pattern,
                              std::string& rewritten);
