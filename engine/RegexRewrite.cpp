#include "engine/RegexRewrite.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <string_view>

#include "engine/BregexpLibrary.h"
#include "engine/RegexCommandText.h"
#include "engine/ReplacementTemplate.h"
#include "platform/DoubleByte.h"

namespace {

// Spans come from outside the program: each is checked to lie within what the library was
// given before a byte of it is read.
bool IsSpanWithin(const char* start, const char* end, const char* low, const char* high)
{
    return start && end && low <= start && start <= end && end <= high;
}

bool WriteReplacement(TextOutput& out, const ReplacementTemplate& replacement, const RegexHandle& match,
                      const char* low, const char* high)
{
    const char* text = replacement.Text.data();
    std::size_t copied = 0;
    for (const ReplacementTemplate::Marker& marker : replacement.Markers) {
        if (!out.Write(text + copied, marker.Position - copied))
            return false;
        copied = marker.Position;
        // A group the expression does not have, or one that took no part in the match,
        // inserts nothing.
        if (marker.Group > match.GroupCount)
            continue;
        const char* start = match.GroupStarts[marker.Group];
        const char* end = match.GroupEnds[marker.Group];
        if (IsSpanWithin(start, end, low, high) && !out.Write(start, static_cast<std::size_t>(end - start)))
            return false;
    }
    return out.Write(text + copied, replacement.Text.size() - copied);
}

bool WriteSpan(TextOutput& out, const char* start, const char* end)
{
    return out.Write(start, static_cast<std::size_t>(end - start));
}

FileResult CountResult(std::uint64_t count)
{
    return static_cast<FileResult>(std::min<std::uint64_t>(count, std::numeric_limits<FileResult>::max()));
}

int BREGEXP_CALL WriteLibraryPiece(void* out, const char* data, std::size_t size)
{
    return static_cast<TextOutput*>(out)->Write(data, size) ? 1 : 0;
}

}  // namespace

RegexRewrite::~RegexRewrite()
{
    if (handle_)
        library_.BRegfree(handle_);
}

FileResult RegexRewrite::Apply(const AbortFlag& abort, const char* text, std::size_t size,
                               const ReplacePattern& pattern, bool librarySubstitutes, TextOutput& out)
{
    try {
        const char* end = text + size;
        return librarySubstitutes
                   ? SubstituteInLibrary(abort, text, end, pattern.Find, pattern.Replace, pattern.Options, out)
                   : SubstituteMatches(abort, text, end, pattern.Find, pattern.Replace, pattern.Options, out);
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult RegexRewrite::Apply(const AbortFlag& abort, const char* text, std::size_t size,
                               const ReplacePattern& pattern, bool librarySubstitutes)
{
    StringOutput out(output_);
    return Apply(abort, text, size, pattern, librarySubstitutes, out);
}

FileResult RegexRewrite::SubstituteInLibrary(const AbortFlag& abort, const char* text, const char* end,
                                             const std::string& find, const std::string& replace,
                                             PatternOptions options, TextOutput& out)
{
    const std::string command = SubstituteCommandText(find, replace, options);
    // The one call cannot be interrupted; an abort that came before it spares the work.
    if (IsAborted(abort))
        return Cancel;
    // Our library hands the new text over as it makes it; another one keeps it whole.
    const bool handedOver = library_.BSetOutput && library_.BSetOutput(&handle_, WriteLibraryPiece, &out) == 0;
    const int substituted = library_.BSubst(command.c_str(), text, end, &handle_, message_);
    // A failed substitution may have stopped halfway: nothing of it is kept.
    if (substituted == RegexOutOfMemory)
        return MemLack;
    if (handedOver && substituted == RegexOutputRefused)
        return WriteErr;
    if (substituted < 0 || !handle_)
        return RegExpER;
    if (substituted == 0 || handedOver)
        return substituted;
    const char* start = handle_->OutputStart;
    const char* stop = handle_->OutputEnd;
    if (start == nullptr ? stop != nullptr : stop < start)
        return RegExpER;
    if (start && !WriteSpan(out, start, stop))
        return WriteErr;
    return substituted;
}

FileResult RegexRewrite::SubstituteMatches(const AbortFlag& abort, const char* text, const char* end,
                                           const std::string& find, const std::string& replace,
                                           PatternOptions options, TextOutput& out)
{
    const std::string command = MatchCommandText(find, options);
    const bool skipNewline = SkipsNewlineAfterMatch(find, options);
    const bool kanji = HasOption(options, Kanji);
    const ReplacementTemplate replacement = BuildReplacementTemplate(replace);

    std::uint64_t count = 0;
    const char* copied = text;  // everything before this is in the output
    const char* from = text;    // each search is given only the text from here on
    for (;;) {
        if (IsAborted(abort))
            return Cancel;
        const int found = library_.BMatch(command.c_str(), from, end, &handle_, message_);
        // After a failed search the group pointers mean nothing and are not read.
        if (found == RegexOutOfMemory)
            return MemLack;
        if (found < 0 || !handle_)
            return RegExpER;
        if (found == 0)
            break;
        const RegexHandle& match = *handle_;
        if (!match.GroupStarts || !match.GroupEnds)
            return RegExpER;
        const char* matchStart = match.GroupStarts[0];
        const char* matchEnd = match.GroupEnds[0];
        if (!IsSpanWithin(matchStart, matchEnd, from, end))
            return RegExpER;
        if (!WriteSpan(out, copied, matchStart) || !WriteReplacement(out, replacement, match, from, end))
            return WriteErr;
        ++count;

        const char* next = matchEnd;
        if (skipNewline && next != end && *next == '\n')
            ++next;
        copied = next;
        if (next == matchStart) {
            // An empty match would be found here again: the character after it is kept
            // and the search goes on behind it.
            if (next == end)
                break;
            next += kanji ? CharacterLength(std::string_view(next, static_cast<std::size_t>(end - next)), 0) : 1;
        }
        if (next == end)
            break;
        from = next;
    }
    if (count == 0)
        return 0;
    if (!WriteSpan(out, copied, end))
        return WriteErr;
    return CountResult(count);
}
