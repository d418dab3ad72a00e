#include "engine/regex/RegexRewrite.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <string_view>

#include "engine/regex/BregexpLibrary.h"
#include "engine/regex/MatchWriter.h"
#include "engine/regex/TwoParts.h"
#include "engine/text/CharacterRule.h"

namespace {

bool WriteSpan(TextOutput& out, const char* start, const char* end)
{
    return out.Write(start, static_cast<std::size_t>(end - start));
}

// A UTF-8 byte order mark is no text to search: an expression anchored at the start
// finds the first line after it, and nothing is ever put before it.
std::size_t ByteOrderMarkLength(const EncodedPattern& pattern, const char* text, const char* end)
{
    return pattern.Encoding == TextEncoding::Utf8 && end - text >= 3 && std::string_view(text, 3) == "\xEF\xBB\xBF"
               ? 3
               : 0;
}

FileResult CountResult(std::uint64_t count)
{
    return static_cast<FileResult>(std::min<std::uint64_t>(count, std::numeric_limits<FileResult>::max()));
}

// Puts the bytes the library was not given in front of the first piece it hands over, so
// that nothing is written when it finds nothing.
class OutputAfterPrefix final : public TextOutput {
public:
    OutputAfterPrefix(std::string_view prefix, TextOutput& out) : prefix_(prefix), out_(out) {}

private:
    bool WriteOut(const char* data, std::size_t size) override
    {
        if (!prefix_.empty()) {
            if (!out_.Write(prefix_.data(), prefix_.size()))
                return false;
            prefix_ = {};
        }
        return out_.Write(data, size);
    }

    std::string_view prefix_;
    TextOutput& out_;
};

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
                               const EncodedPattern& pattern, bool librarySubstitutes, TextOutput& out)
{
    try {
        // A find text the encoding cannot hold cannot occur.
        if (!pattern.MatchCommand)
            return 0;
        const char* end = text + size;
        return librarySubstitutes ? SubstituteInLibrary(abort, text, end, pattern, out)
                                  : SubstituteMatches(abort, text, end, pattern, out);
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult RegexRewrite::Apply(const AbortFlag& abort, const char* text, std::size_t size,
                               const EncodedPattern& pattern, bool librarySubstitutes)
{
    StringOutput out(output_);
    return Apply(abort, text, size, pattern, librarySubstitutes, out);
}

FileResult RegexRewrite::Apply(const AbortFlag& abort, const char* text, std::size_t size,
                               const ReplacePattern& pattern, bool librarySubstitutes)
{
    try {
        return Apply(abort, text, size, EncodePattern(pattern, TextEncoding::ShiftJis), librarySubstitutes);
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult RegexRewrite::RefuseIfMatched(const char* text, const char* end, const EncodedPattern& pattern)
{
    const int found = library_.BMatch(pattern.MatchCommand->c_str(), text, end, &handle_, message_);
    if (found == RegexOutOfMemory)
        return MemLack;
    if (found < 0 || !handle_)
        return RegExpER;
    return found == 0 ? 0 : EncodeER;
}

FileResult RegexRewrite::SubstituteInLibrary(const AbortFlag& abort, const char* text, const char* end,
                                             const EncodedPattern& pattern, TextOutput& out)
{
    // The one call cannot be interrupted; an abort that came before it spares the work.
    if (IsAborted(abort))
        return Cancel;
    const std::size_t mark = ByteOrderMarkLength(pattern, text, end);
    if (!pattern.SubstituteCommand)
        return RefuseIfMatched(text + mark, end, pattern);
    // The library is given the text after a byte order mark, which stays in front.
    OutputAfterPrefix afterMark(std::string_view(text, mark), out);
    TextOutput& target = mark > 0 ? static_cast<TextOutput&>(afterMark) : out;
    // Our library hands the new text over as it makes it; another one keeps it whole.
    const bool handedOver = library_.BSetOutput && library_.BSetOutput(&handle_, WriteLibraryPiece, &target) == 0;
    const int substituted =
        library_.BSubst(pattern.SubstituteCommand->c_str(), text + mark, end, &handle_, message_);
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
    // A substitution that emptied the text still puts the byte order mark back.
    if (!WriteSpan(out, text, text + mark) || (start && !WriteSpan(out, start, stop)))
        return WriteErr;
    return substituted;
}

FileResult RegexRewrite::SubstituteMatches(const AbortFlag& abort, const char* text, const char* end,
                                           const EncodedPattern& pattern, TextOutput& out)
{
    const std::size_t mark = ByteOrderMarkLength(pattern, text, end);
    if (!pattern.Template)
        return RefuseIfMatched(text + mark, end, pattern);
    const std::string& command = *pattern.MatchCommand;
    if (IsAborted(abort))
        return Cancel;
    const unsigned flags = wellFormed_ ? BMatchEachWellFormed : 0u;
    // A large text with dense matches has its second part rewritten meanwhile on a thread
    // of its own.
    std::optional<TwoParts> twoParts;
    if (library_.BMatchEach)
        twoParts.emplace(twoPartRule_, library_, abort, text + mark, end, pattern, flags, out);
    // Each search is given only the text from where it begins on.
    MatchWriter writer(abort, text, text + mark, end, pattern, out, twoParts ? &*twoParts : nullptr);
    if (library_.BMatchEach) {
        // Our library searches on by itself, asking the writer where.
        const int found =
            library_.BMatchEach(command.c_str(), text + mark, end, &handle_, message_, TakeMatch, &writer, flags);
        if (writer.Failure() != 0)
            return writer.Failure();
        if (found == RegexOutOfMemory)
            return MemLack;
        if (found < 0 || !handle_)
            return RegExpER;
        if (twoParts && twoParts->Met()) {
            SecondPartRewrite& second = twoParts->Second();
            if (second.Failure() != 0)
                return second.Failure();
            if (!second.WriteAfter(out))
                return WriteErr;
            return CountResult(writer.Count() + second.CountAfter());
        }
    } else {
        for (const char* from = text + mark; from;) {
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
            from = writer.Take(*handle_);
            if (writer.Failure() != 0)
                return writer.Failure();
        }
    }
    if (writer.Count() == 0)
        return 0;
    if (!WriteSpan(out, writer.Copied(), end))
        return WriteErr;
    return CountResult(writer.Count());
}
