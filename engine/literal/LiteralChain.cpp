#include "engine/literal/LiteralChain.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

// The memory all windows of a chain share, and the size of one window: a long replace
// list gets small windows (several thousand patterns still stay within the budget), which
// costs a little more work per byte but keeps a run in bounded memory.
constexpr std::size_t WindowBudget = 16 << 20;
constexpr std::size_t LargestWindow = 1 << 20;
constexpr std::size_t SmallestWindow = 4 << 10;

struct PassPlan {
    const LiteralSearch* Search;
    const std::string* Replacement;
    bool ChecksNul;
};

}  // namespace

LiteralChain::LiteralChain(const AbortFlag& abort, const std::vector<const EncodedPattern*>& patterns,
                           TextSource& unchanged, TextOutput& out, std::size_t windowSize, std::uint64_t expectedSize)
    : shared_(abort), output_(unchanged, &shared_.Changes, out, expectedSize)
{
    std::vector<PassPlan> plans;
    for (const EncodedPattern* pattern : patterns) {
        const bool ignoreCase = HasOption(pattern->Options, NotCase);
        const std::string* replacement = pattern->Replacement ? &*pattern->Replacement : nullptr;
        bool first = true;
        for (const std::optional<std::string>& alternative : pattern->Alternatives) {
            // An empty alternative never matches, nor one the encoding cannot hold.
            if (!alternative || alternative->empty())
                continue;
            searches_.emplace_back(*alternative, ignoreCase, pattern->Rule());
            plans.push_back({&searches_.back(), replacement, first});
            first = false;
        }
        // A pattern that can match nothing still fails a text holding a NUL byte.
        if (first)
            plans.push_back({nullptr, nullptr, true});
    }
    if (windowSize == 0) {
        windowSize = std::clamp(WindowBudget / std::max<std::size_t>(plans.size(), 1), SmallestWindow, LargestWindow);
        // A small text needs no more than itself.
        windowSize = static_cast<std::size_t>(std::min<std::uint64_t>(windowSize, expectedSize + 1));
    }
    // Each pass hands its output to the one after it.
    passes_.resize(plans.size());
    TextOutput* next = &output_;
    for (std::size_t i = plans.size(); i-- > 0;) {
        const PassPlan& plan = plans[i];
        passes_[i] = std::make_unique<LiteralPass>(i, plan.Search, plan.Replacement, plan.ChecksNul, windowSize, *next,
                                                   shared_);
        next = passes_[i].get();
    }
}

bool LiteralChain::Finish()
{
    for (const std::unique_ptr<LiteralPass>& pass : passes_)
        if (!pass->Finish())
            return false;
    return true;
}

bool LiteralChain::Settled() const
{
    if (shared_.Cancelled)
        return true;
    if (shared_.FailureRank == PassesShared::NoFailure)
        return false;
    return std::all_of(passes_.begin(), passes_.end(), [this](const std::unique_ptr<LiteralPass>& pass) {
        return pass->LowestFailureLeft() >= shared_.FailureRank;
    });
}

FileResult LiteralChain::Result() const
{
    if (shared_.Cancelled)
        return Cancel;
    if (shared_.FailureRank != PassesShared::NoFailure)
        return shared_.Failure;
    // More replacements than a result can count are still all made.
    return static_cast<FileResult>(std::min<std::uint64_t>(shared_.Changes, std::numeric_limits<FileResult>::max()));
}

FileResult RewriteLiteralText(const AbortFlag& abort, std::string_view text,
                              const std::vector<const EncodedPattern*>& patterns, std::string& rewritten,
                              std::size_t windowSize, std::size_t pieceSize)
{
    try {
        MemorySource source(text);
        StringOutput out(rewritten);
        LiteralChain chain(abort, patterns, source, out, windowSize, text.size());
        const std::size_t step = pieceSize == 0 ? std::max<std::size_t>(text.size(), 1) : pieceSize;
        for (std::size_t at = 0; at < text.size() && !chain.Settled(); at += step)
            if (!chain.Input().Write(text.data() + at, std::min(step, text.size() - at)))
                return Cancel;
        if (!chain.Settled() && !chain.Finish())
            return Cancel;
        const FileResult result = chain.Result();
        if (result >= 0 && !chain.FinishOutput(false))
            return WriteErr;
        return result;
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult RewriteLiteralText(const AbortFlag& abort, std::string_view text, const ReplacePattern& pattern,
                              std::string& rewritten)
{
    try {
        const EncodedPattern encoded = EncodePattern(pattern, TextEncoding::ShiftJis);
        return RewriteLiteralText(abort, text, {&encoded}, rewritten);
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}
