#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "engine/flow/AbortFlag.h"
#include "engine/flow/FileResult.h"
#include "engine/flow/PieceListOutput.h"
#include "engine/pattern/EncodedPattern.h"
#include "engine/regex/MatchWriter.h"

class BregexpLibrary;

// The rewrite of the second part of a large text, from `split` to its end, on a thread of
// its own and into memory, while the first part is rewritten: taken over by the first
// part's rewrite where one of its searches begins where one of this part's did. A search
// given the text from a place on finds the same whatever searched before, so from there on
// both rewrites are the same; where the first part's searches never meet this part's, its
// rewrite goes on by itself and this one is of no use.
// Kept apart, in memory of its own, from what the first part's rewrite changes at every
// match: a line of memory both threads wrote to would go to and fro between them.
class alignas(64) SecondPartRewrite final : public MatchWatcher {
public:
    // Throws std::system_error when no thread can be had.
    SecondPartRewrite(const BregexpLibrary& library, const AbortFlag& abort, const char* split, const char* end,
                      const EncodedPattern& pattern, unsigned flags);
    // Stops the rewrite, if it still runs, and waits for it.
    ~SecondPartRewrite();
    SecondPartRewrite(const SecondPartRewrite&) = delete;
    SecondPartRewrite& operator=(const SecondPartRewrite&) = delete;

    // Whether this part's rewrite takes over at a search of the first part that begins at
    // `next`, everything before it written: there, not there but maybe at a later one, or
    // at none after it. Waits for the end of the rewrite.
    enum class Meeting { Here, NotHere, Never };
    Meeting MeetAt(const char* next);
    // After MeetAt said Here: writes the new text from that place on to `out` (false when
    // it refused it); the replacements made in it, and the failure met in it (0 when none).
    bool WriteAfter(TextOutput& out) { return output_->WriteFrom(taken_->Written, out); }
    std::uint64_t CountAfter() const { return count_ - taken_->Count; }
    FileResult Failure() const { return failure_; }

private:
    struct Step {
        const char* From;         // where a search began, everything before it written
        std::uint64_t Written;    // the size of the new text then
        std::uint64_t Count;      // the replacements made before it
    };

    bool GoOn(const char* next, const char* copied, std::uint64_t count) override;
    void Work(const BregexpLibrary& library, const AbortFlag& abort, const EncodedPattern& pattern, unsigned flags);

    // The places a search of the first part is looked for among; the rest are not kept.
    static constexpr std::size_t KeptSteps = 1 << 16;

    const char* split_;
    const char* end_;
    std::unique_ptr<const EncodedPattern> pattern_;  // the thread's copy
    std::unique_ptr<PieceListOutput> output_;  // pointing into the text and into pattern_
    std::vector<Step> steps_;
    const Step* taken_ = nullptr;
    std::uint64_t count_ = 0;
    FileResult failure_ = 0;
    bool usable_ = false;  // the rewrite ran to its end, or met a failure of the text
    alignas(64) std::atomic<bool> stop_{false};
    std::thread thread_;
};
