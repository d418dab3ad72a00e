#include "engine/regex/TwoParts.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "engine/text/CharacterBoundary.h"

namespace {

// Where the text still to search, from `from`, is cut: a boundary byte at or after the
// place that leaves the second part `share` of it; null without one there.
const char* SplitPlace(const char* from, const char* end, double share)
{
    return BoundaryFrom(end - static_cast<std::ptrdiff_t>(static_cast<double>(end - from) * share), end);
}

}  // namespace

TwoParts::TwoParts(const TwoPartRule& rule, const BregexpLibrary& library, const AbortFlag& abort, const char* from,
                   const char* end, const EncodedPattern& pattern, unsigned flags, TextOutput& out)
    : MatchWatcher(static_cast<std::size_t>(end - from) >= rule.Least ? from + std::min<std::size_t>(rule.Probe, end - from)
                                                                        : nullptr),
      rule_(rule), library_(library), abort_(abort), end_(end), pattern_(pattern), flags_(flags), out_(out)
{
}

void TwoParts::Start(const char* next)
{
    watched_ = nullptr;
    const char* split = SplitPlace(next, end_, rule_.SecondShare);
    if (!split)
        return;
    try {
        second_ = std::make_unique<SecondPartRewrite>(library_, abort_, split, end_, pattern_, flags_);
        watched_ = split;
        out_.WriteInThisThread();
    } catch (const std::system_error&) {
        // Without a thread the first part's rewrite goes on by itself.
    } catch (const std::bad_alloc&) {
        // So it does without the memory for the second part.
    }
}

bool TwoParts::GoOn(const char* next, const char* copied, std::uint64_t count)
{
    if (!second_) {
        if (count >= rule_.DenseMatches)
            Start(next);
        else
            watched_ = nullptr;
        return true;
    }
    if (copied != next)
        return true;
    switch (second_->MeetAt(next)) {
    case SecondPartRewrite::Meeting::Here:
        met_ = true;
        watched_ = nullptr;
        return false;
    case SecondPartRewrite::Meeting::Never:
        watched_ = nullptr;
        return true;
    case SecondPartRewrite::Meeting::NotHere:
        return true;
    }
    return true;
}
