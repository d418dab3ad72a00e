#include "engine/LiteralRewrite.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include "engine/EncodedPattern.h"
#include "engine/LiteralSearch.h"

void RewrittenText::TakeOver(std::string& bytes)
{
    storage_.swap(bytes);
    data_ = storage_.data();
    size_ = storage_.size();
}

namespace {

// Writes a pass's output over its own input. Only right for replacements no longer than
// what they replace: the output then never overtakes the part of the input still to read.
class OutputInPlace {
    static constexpr std::size_t ShortCopy = 16;

public:
    explicit OutputInPlace(char* text) : text_(text) {}
    void Start(std::size_t) {}
    void Append(const char* bytes, std::size_t length)
    {
        // Until a replacement has been shorter, the unchanged stretches are in place already.
        char* to = text_ + written_;
        if (bytes != to) {
            // The output is never ahead of what is still to be read, so copying forwards is
            // right even where the two overlap; a short replacement needs no library call.
            if (length <= ShortCopy)
                for (std::size_t i = 0; i < length; ++i)
                    to[i] = bytes[i];
            else
                std::memmove(to, bytes, length);
        }
        written_ += length;
    }
    std::size_t Written() const { return written_; }

private:
    char* text_;
    std::size_t written_ = 0;
};

// Writes nothing, only adds up how long a pass's output would be.
class OutputMeasure {
public:
    void Start(std::size_t) {}
    void Append(const char*, std::size_t length) { written_ += length; }
    std::size_t Written() const { return written_; }

private:
    std::size_t written_ = 0;
};

// Builds a pass's output in storage of its own, taken at its final size: growing would
// copy it and hold both copies for a moment, so a large file would need far more memory
// than its old and new text.
class OutputToString {
public:
    OutputToString(std::string& output, std::size_t finalSize) : output_(output), finalSize_(finalSize) {}
    void Start(std::size_t)
    {
        if (output_.capacity() < finalSize_)
            std::string().swap(output_);
        output_.clear();
        output_.reserve(finalSize_);
    }
    void Append(const char* bytes, std::size_t length) { output_.append(bytes, length); }

private:
    std::string& output_;
    std::size_t finalSize_;
};

// How many matches one search hands over; the abort is looked at between searches.
constexpr std::size_t MatchesAtOnce = 256;

// One pass of one alternative; `output` is written only when there is a match. Nothing
// when the run was aborted.
template <typename Output>
std::optional<std::size_t> ReplaceMatches(const AbortFlag& abort, std::string_view text, const LiteralSearch& search,
                                          std::string_view replacement, Output& output)
{
    std::size_t count = 0;
    std::size_t position = 0;
    std::size_t matches[MatchesAtOnce];
    for (std::size_t found = MatchesAtOnce; found == MatchesAtOnce;) {
        if (IsAborted(abort))
            return std::nullopt;
        found = search.FindSeveral(text, position, matches, MatchesAtOnce);
        for (std::size_t i = 0; i < found; ++i) {
            if (count == 0)
                output.Start(text.size());
            output.Append(text.data() + position, matches[i] - position);
            output.Append(replacement.data(), replacement.size());
            position = matches[i] + search.Length();
            ++count;
        }
    }
    if (count > 0)
        output.Append(text.data() + position, text.size() - position);
    return count;
}

std::optional<std::size_t> ReplaceAlternative(const AbortFlag& abort, RewrittenText& text, const LiteralSearch& search,
                                              std::string_view replacement, std::string& spare)
{
    if (replacement.size() <= search.Length()) {
        OutputInPlace output(text.Data());
        const std::optional<std::size_t> count = ReplaceMatches(abort, text.View(), search, replacement, output);
        if (count && *count > 0)
            text.Truncate(output.Written());
        return count;
    }
    // A longer replacement: the matches are found twice, first to learn the output's size.
    OutputMeasure measure;
    const std::optional<std::size_t> found = ReplaceMatches(abort, text.View(), search, replacement, measure);
    if (!found || *found == 0)
        return found;
    OutputToString output(spare, measure.Written());
    const std::optional<std::size_t> count = ReplaceMatches(abort, text.View(), search, replacement, output);
    if (count && *count > 0)
        text.TakeOver(spare);
    return count;
}

}  // namespace

FileResult RewriteLiteralText(const AbortFlag& abort, RewrittenText& text, const ReplacePattern& pattern)
{
    try {
        return RewriteEncodedLiterally(abort, text, EncodePattern(pattern, TextEncoding::ShiftJis));
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult RewriteEncodedLiterally(const AbortFlag& abort, RewrittenText& text, const EncodedPattern& pattern)
{
    try {
        const bool ignoreCase = HasOption(pattern.Options, NotCase);
        std::string spare;
        std::uint64_t total = 0;
        for (const std::optional<std::string>& alternative : pattern.Alternatives) {
            // An alternative the encoding cannot hold cannot occur; its pass copies the text.
            if (!alternative) {
                if (IsAborted(abort))
                    return Cancel;
                continue;
            }
            const LiteralSearch search(*alternative, ignoreCase, pattern.Rule());
            if (!pattern.Replacement) {
                if (search.FindNext(text.View(), 0) != LiteralSearch::npos)
                    return EncodeER;
                continue;
            }
            const std::optional<std::size_t> count =
                ReplaceAlternative(abort, text, search, *pattern.Replacement, spare);
            if (!count || IsAborted(abort))
                return Cancel;
            total += *count;
        }
        // More replacements than a result can count are still all made.
        return static_cast<FileResult>(std::min<std::uint64_t>(total, std::numeric_limits<FileResult>::max()));
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult RewriteFileTextLiterally(const AbortFlag& abort, RewrittenText& text, const EncodedPattern& pattern)
{
    if (text.Size() == 0)
        return 0;
    if (std::memchr(text.Data(), '\0', text.Size()) != nullptr)
        return NoText;
    return RewriteEncodedLiterally(abort, text, pattern);
}
