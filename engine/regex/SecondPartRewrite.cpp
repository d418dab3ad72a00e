#include "engine/regex/SecondPartRewrite.h"

#include <algorithm>
#include <new>

#include "engine/regex/BregexpLibrary.h"

SecondPartRewrite::SecondPartRewrite(const BregexpLibrary& library, const AbortFlag& abort, const char* split,
                                     const char* end, const EncodedPattern& pattern, unsigned flags)
    : MatchWatcher(split), split_(split), end_(end)
{
    thread_ = std::thread([this, &library, &abort, &pattern, flags] { Work(library, abort, pattern, flags); });
}

SecondPartRewrite::~SecondPartRewrite()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool SecondPartRewrite::GoOn(const char* next, const char* copied, std::uint64_t count)
{
    // Only a place before which everything is written is one the first part can take over at.
    if (copied == next && steps_.size() < KeptSteps)
        steps_.push_back({next, output_->Size(), count});
    return !stop_.load(std::memory_order_relaxed);
}

void SecondPartRewrite::Work(const BregexpLibrary& library, const AbortFlag& abort, const EncodedPattern& given,
                             unsigned flags)
{
    RegexHandle* handle = nullptr;
    char message[RegexMessageSize] = {};
    try {
        // The pattern is read at every match: a copy made here lies in memory of this
        // thread's, where the other thread's writes to its neighbours never take it away. It
        // stays while the new text may point into its replacement.
        pattern_ = std::make_unique<const EncodedPattern>(given);
        const EncodedPattern& pattern = *pattern_;
        output_ = std::make_unique<PieceListOutput>();
        steps_.reserve(1024);
        steps_.push_back({split_, 0, 0});
        PieceListOutput& out = *output_;
        MatchWriter writer(abort, split_, split_, end_, pattern, out, this);
        const int found = library.BMatchEach(pattern.MatchCommand->c_str(), split_, end_, &handle, message, TakeMatch,
                                             &writer, flags);
        count_ = writer.Count();
        if (writer.Failure() != 0)
            failure_ = writer.Failure();
        else if (found < 0 || !handle)
            failure_ = RegExpER;
        // Stopped halfway, nothing of it is of use; the rest of the text is written after
        // the last match otherwise. Memory this part could not have (its new text is kept
        // in memory, where the first part's goes to the file) is no failure of the text:
        // the first part's rewrite goes on by itself.
        usable_ = !stop_ && found != RegexOutOfMemory &&
                  (failure_ != 0 || out.Write(writer.Copied(), static_cast<std::size_t>(end_ - writer.Copied())));
    } catch (const std::bad_alloc&) {
        // The first part's rewrite goes on by itself, in no memory of its own.
        usable_ = false;
    }
    if (handle)
        library.BRegfree(handle);
}

SecondPartRewrite::Meeting SecondPartRewrite::MeetAt(const char* next)
{
    if (thread_.joinable())
        thread_.join();
    if (!usable_ || next > steps_.back().From) {
        // Of no use: its memory goes at once.
        output_.reset();
        return Meeting::Never;
    }
    const auto step = std::lower_bound(steps_.begin(), steps_.end(), next,
                                       [](const Step& step, const char* place) { return step.From < place; });
    if (step->From != next)
        return Meeting::NotHere;
    taken_ = &*step;
    return Meeting::Here;
}
