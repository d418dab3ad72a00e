#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/flow/AbortFlag.h"
#include "engine/flow/FileResult.h"
#include "engine/flow/TextOutput.h"
#include "engine/pattern/EncodedPattern.h"
#include "engine/regex/BregexpApi.h"
#include "engine/text/CharacterRule.h"

// Told by a MatchWriter after each match where the next search begins, from Watched() on.
class MatchWatcher {
public:
    // `next`: where the next search begins; the text before `copied` is written, `count`
    // matches so far. False stops the search there.
    virtual bool GoOn(const char* next, const char* copied, std::uint64_t count) = 0;
    // Where the searches it is told of begin, at the least; null when it wants to be told
    // of none any more.
    const char* Watched() const { return watched_; }

protected:
    explicit MatchWatcher(const char* watched) : watched_(watched) {}
    const char* watched_;

    ~MatchWatcher() = default;
};

// Spans come from outside the program: each is checked to lie within what the library was
// given before a byte of it is read.
inline bool IsSpanWithin(const char* start, const char* end, const char* low, const char* high)
{
    return start && end && low <= start && start <= end && end <= high;
}

// The rewrite with the program's own template, match by match: the text before a match and
// its replacement are written, and the next search begins after it.
class MatchWriter {
public:
    MatchWriter(const AbortFlag& abort, const char* text, const char* from, const char* end,
                const EncodedPattern& pattern, TextOutput& out, MatchWatcher* watcher = nullptr)
        : abort_(abort), copied_(text), from_(from), end_(end), pattern_(pattern), out_(out),
          watcher_(watcher && watcher->Watched() ? watcher : nullptr), watched_(watcher_ ? watcher_->Watched() : nullptr),
          replacement_(pattern.Template->Text + std::string(TextOutput::Word, '\0'))
    {
    }

    // Where the search after `match`, found from the place the last search began at, is to
    // begin; null when none is to be made, and then Failure() when the rewrite failed.
    const char* Take(const RegexHandle& match)
    {
        if (!match.GroupStarts || !match.GroupEnds)
            return Fail(RegExpER);
        const char* matchStart = match.GroupStarts[0];
        const char* matchEnd = match.GroupEnds[0];
        if (!IsSpanWithin(matchStart, matchEnd, from_, end_))
            return Fail(RegExpER);
        if (!WriteInWords(match, matchStart) &&
            (!out_.Write(copied_, static_cast<std::size_t>(matchStart - copied_)) || !WriteReplacement(match)))
            return Fail(WriteErr);
        ++count_;
        const char* next = matchEnd;
        if (pattern_.SkipNewline && next != end_ && *next == '\n')
            ++next;
        copied_ = next;
        if (next == matchStart) {
            // An empty match would be found here again: the character after it is kept
            // and the search goes on behind it.
            if (next == end_)
                return nullptr;
            next += pattern_.ExpressionRule().CharacterLength(std::string_view(next, static_cast<std::size_t>(end_ - next)), 0);
        }
        if (next == end_)
            return nullptr;
        if (IsAborted(abort_))
            return Fail(Cancel);
        from_ = next;
        if (watcher_ && next >= watched_) {
            const bool goesOn = watcher_->GoOn(next, copied_, count_);
            watched_ = watcher_->Watched();
            if (!watched_)
                watcher_ = nullptr;
            if (!goesOn)
                return nullptr;
        }
        return next;
    }

    FileResult Failure() const { return failure_; }
    std::uint64_t Count() const { return count_; }
    // Everything before this is written.
    const char* Copied() const { return copied_; }

private:
    const char* Fail(FileResult failure)
    {
        failure_ = failure;
        return nullptr;
    }

    // Writes the text before the match and its replacement at once into the output's room,
    // in whole words, when they are short and the room and the text after them hold a word
    // more: dense matches write a few bytes each. In one pass: what was copied before a
    // piece turned out too long, or to lie too near the text's end, is left uncommitted.
    // False, with nothing written, otherwise.
    bool WriteInWords(const RegexHandle& match, const char* matchStart)
    {
        char* const room = out_.RoomFor(MostInWords);
        const char* readable = end_ - TextOutput::Word;
        if (!room || matchStart > readable)
            return false;
        const auto fits = [room](const char* to, std::size_t size) {
            return static_cast<std::size_t>(to - room) + size <= MostInWords;
        };
        const auto before = static_cast<std::size_t>(matchStart - copied_);
        if (!fits(room, before))
            return false;
        char* to = TextOutput::CopyWords(room, copied_, before);
        const ReplacementTemplate& replacement = *pattern_.Template;
        const char* text = replacement_.data();
        std::size_t copied = 0;
        for (const ReplacementTemplate::Marker& marker : replacement.Markers) {
            const std::size_t literal = marker.Position - copied;
            if (!fits(to, literal))
                return false;
            to = TextOutput::CopyWords(to, text + copied, literal);
            copied = marker.Position;
            if (marker.Group > match.GroupCount)
                continue;
            const char* start = match.GroupStarts[marker.Group];
            const char* end = match.GroupEnds[marker.Group];
            if (!IsSpanWithin(start, end, from_, end_))
                continue;
            const auto size = static_cast<std::size_t>(end - start);
            if (end > readable || !fits(to, size))
                return false;
            to = TextOutput::CopyWords(to, start, size);
        }
        const std::size_t rest = replacement.Text.size() - copied;
        if (!fits(to, rest))
            return false;
        out_.WrittenUntil(TextOutput::CopyWords(to, text + copied, rest));
        return true;
    }

    bool WriteReplacement(const RegexHandle& match)
    {
        const ReplacementTemplate& replacement = *pattern_.Template;
        const char* text = replacement.Text.data();
        std::size_t copied = 0;
        for (const ReplacementTemplate::Marker& marker : replacement.Markers) {
            if (!out_.Write(text + copied, marker.Position - copied))
                return false;
            copied = marker.Position;
            // A group the expression does not have, or one that took no part in the match,
            // inserts nothing.
            if (marker.Group > match.GroupCount)
                continue;
            const char* start = match.GroupStarts[marker.Group];
            const char* end = match.GroupEnds[marker.Group];
            if (IsSpanWithin(start, end, from_, end_) && !out_.Write(start, static_cast<std::size_t>(end - start)))
                return false;
        }
        return out_.Write(text + copied, replacement.Text.size() - copied);
    }

    const AbortFlag& abort_;
    const char* copied_;
    const char* from_;  // where the last search began
    const char* end_;
    const EncodedPattern& pattern_;
    TextOutput& out_;
    MatchWatcher* watcher_;
    const char* watched_;  // the watcher's Watched(), as last asked
    // The template's text, with a word after it to be read when it is copied in words.
    const std::string replacement_;
    std::uint64_t count_ = 0;
    FileResult failure_ = 0;

    // Longer pieces are copied by a call.
    static constexpr std::size_t MostInWords = 96;
};

inline const char* BREGEXP_CALL TakeMatch(void* writer, const RegexHandle* match)
{
    return static_cast<MatchWriter*>(writer)->Take(*match);
}
