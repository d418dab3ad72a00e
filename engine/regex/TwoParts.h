#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/flow/AbortFlag.h"
#include "engine/pattern/EncodedPattern.h"
#include "engine/regex/MatchWriter.h"
#include "engine/regex/SecondPartRewrite.h"

class BregexpLibrary;

// When a text is rewritten in two parts at once (SecondPartRewrite): a text of `Least`
// bytes or more whose first `Probe` bytes held `DenseMatches` matches or more. Matches that
// far apart cost the rewrite more than writing the text does; sparser ones leave a second
// thread nothing to win, and its part would only be written at the end.
struct TwoPartRule {
    std::size_t Least = std::size_t{4} << 20;
    std::size_t Probe = std::size_t{256} << 10;
    std::uint64_t DenseMatches = 4096;
    // The share of the text still to search that the second part takes: a little less than
    // half, since its new text is written only after the first part's, which is written as
    // it is made (0.48 was quickest on dense matches, between 0.40 and 0.60).
    double SecondShare = 0.48;
};

// The first part's side of a rewrite in two parts, watching its writer's matches: at the
// end of the probe it decides, and starts the second part from a character start at the
// middle of the text still to search; from there on each search that begins with
// everything before it written asks whether the second part takes over, until it does or
// never can. With two parts at work, the first part's new text is written on the first
// part's thread (TextOutput::WriteInThisThread): a third thread writing it meanwhile only
// takes turns with them.
class TwoParts final : public MatchWatcher {
public:
    // The text [from, end) rewritten with `pattern` (searched with `flags`), the first part's
    // new text going to `out`.
    TwoParts(const TwoPartRule& rule, const BregexpLibrary& library, const AbortFlag& abort, const char* from,
             const char* end, const EncodedPattern& pattern, unsigned flags, TextOutput& out);

    bool GoOn(const char* next, const char* copied, std::uint64_t count) override;
    // Whether the second part took over, and then the part itself.
    bool Met() const { return met_; }
    SecondPartRewrite& Second() { return *second_; }

private:
    void Start(const char* next);

    const TwoPartRule rule_;
    const BregexpLibrary& library_;
    const AbortFlag& abort_;
    const char* end_;
    const EncodedPattern& pattern_;
    const unsigned flags_;
    TextOutput& out_;
    std::unique_ptr<SecondPartRewrite> second_;
    bool met_ = false;
};
