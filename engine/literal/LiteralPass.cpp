#include "engine/literal/LiteralPass.h"

#include <algorithm>
#include <cstring>

#include "engine/text/CharacterRule.h"

namespace {

// The most bytes past a candidate's end that a character rule reads to judge it.
constexpr std::size_t Lookahead = 4;
// How many matches one search hands over; the abort is looked at between searches.
constexpr std::size_t MatchesAtOnce = 256;

}  // namespace

std::size_t LiteralPass::SmallestWindow(std::size_t length)
{
    // What is kept of a window (at most length + Lookahead + 1 bytes) never fills more
    // than half of it.
    return 2 * (length + Lookahead) + 2;
}

LiteralPass::LiteralPass(std::size_t index, const LiteralSearch* search, const std::string* replacement,
                         bool checksNul, std::size_t windowSize, TextOutput& next, PassesShared& shared)
    : index_(index), search_(search), replacement_(replacement), checksNul_(checksNul), next_(next), shared_(shared)
{
    // A pass that only looks for NUL bytes has no window: every piece goes through WriteOut.
    if (!search_)
        return;
    capacity_ = std::max(windowSize, SmallestWindow(search_->Length()));
    window_.reset(new char[capacity_]);
    cursor_ = window_.get();
    room_ = capacity_;
}

std::size_t LiteralPass::LowestFailureLeft() const
{
    if (checksNul_ && !nulFound_)
        return 2 * index_;
    if (search_ && !replacement_ && PassesOn())
        return 2 * index_ + 1;
    return PassesShared::NoFailure;
}

void LiteralPass::CheckForNul(const char* data, std::size_t size)
{
    if (checksNul_ && !nulFound_ && std::memchr(data, '\0', size)) {
        nulFound_ = true;
        shared_.Fail(2 * index_, NoText);
    }
}

bool LiteralPass::Refused()
{
    if (shared_.Cancelled)
        return false;
    // Only the output refuses: the passes after this one stop only when aborted.
    outputClosed_ = true;
    shared_.Fail(PassesShared::OutputFailure, WriteErr);
    return true;
}

bool LiteralPass::WriteOut(const char* data, std::size_t size)
{
    if (!search_) {
        CheckForNul(data, size);
        return !PassesOn() || Emit(data, size);
    }
    while (size >= room_) {
        const std::size_t part = room_;
        std::memcpy(cursor_, data, part);
        cursor_ += part;
        room_ = 0;
        data += part;
        size -= part;
        if (!Process(false))
            return false;
    }
    std::memcpy(cursor_, data, size);
    cursor_ += size;
    room_ -= size;
    return true;
}

bool LiteralPass::Finish()
{
    return !search_ || Process(true);
}

void LiteralPass::Keep(std::size_t from, std::size_t filled)
{
    const std::size_t kept = filled - from;
    std::memmove(window_.get(), window_.get() + from, kept);
    cursor_ = window_.get() + kept;
    room_ = capacity_ - kept;
    checked_ = kept;
}

// Hands on the window's text up to the matches before `limit` replaced, from `copied` on,
// which moves past the last match. False when the run was aborted.
bool LiteralPass::Replace(std::string_view text, std::size_t limit, std::size_t& copied)
{
    const std::size_t length = search_->Length();
    // A replacement as long as what it replaces is written over it in the window, and the
    // window handed on in one piece for many matches: the search has passed those bytes.
    const bool inPlace = replacement_ && replacement_->size() == length;
    std::size_t matches[MatchesAtOnce];
    for (std::size_t from = copied;;) {
        if (IsAborted(shared_.Abort)) {
            shared_.Cancelled = true;
            return false;
        }
        const std::size_t found = search_->FindSeveral(text, from, matches, MatchesAtOnce);
        std::size_t i = 0;
        for (; i < found && matches[i] < limit && PassesOn(); ++i) {
            if (!replacement_) {
                searchFailed_ = true;
                shared_.Fail(2 * index_ + 1, EncodeER);
                return true;
            }
            // Counted before the replacement goes on, so that the output sees a change.
            ++shared_.Changes;
            if (inPlace) {
                std::memcpy(window_.get() + matches[i], replacement_->data(), length);
                continue;
            }
            if (!Emit(text.data() + copied, matches[i] - copied) || !Emit(replacement_->data(), replacement_->size()))
                return false;
            copied = matches[i] + length;
        }
        if (inPlace && i > 0) {
            const std::size_t passed = matches[i - 1] + length;
            if (!Emit(text.data() + copied, passed - copied))
                return false;
            copied = passed;
        }
        if (i < found || found < MatchesAtOnce)
            return true;
        from = copied;
    }
}

bool LiteralPass::Process(bool final)
{
    const std::size_t filled = static_cast<std::size_t>(cursor_ - window_.get());
    const std::string_view text(window_.get(), filled);
    CheckForNul(text.data() + checked_, filled - checked_);
    checked_ = filled;
    std::size_t cut = filled;
    if (PassesOn()) {
        // A candidate is judged alike in the window and in the whole text when the bytes
        // the rule reads after it are in the window; at the end of the text every one is.
        const std::size_t length = search_->Length();
        const std::size_t limit = final ? filled : filled >= length + Lookahead ? filled - length - Lookahead + 1 : 0;
        std::size_t copied = 0;
        if (!Replace(text, limit, copied))
            return false;
        if (PassesOn()) {
            if (!final)
                cut = search_->Rule().RestartPoint(text, copied, std::max(copied, limit));
            if (!Emit(text.data() + copied, cut - copied))
                return false;
        }
    }
    Keep(PassesOn() ? cut : filled, filled);
    return true;
}
