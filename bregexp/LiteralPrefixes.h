#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bregexp/RegexCommand.h"

namespace bregexp {

// Literal texts one of which every match of an expression begins with, so that a search can
// skip to the first place where one of them stands before Oniguruma is asked, which steps
// through the text a byte at a time. Found only where the whole expression is made of
// syntax whose meaning is beyond doubt: ASCII literals, escaped metacharacters, \n \t \r,
// groups ((...), (?:...), (?<name>...)), alternatives, plain classes, . \d \w \s and their
// negations, ^ $ \b \B, and greedy, lazy or possessive quantifiers. Anything else, and the
// modifier i, leaves the search to Oniguruma alone.
class LiteralPrefixes {
public:
    // At most this many texts are looked for; more leave the search to Oniguruma.
    static constexpr std::size_t MaxTexts = 16;

    static std::optional<LiteralPrefixes> Of(std::string_view expression, const Modifiers& modifiers);

    // Given texts, of which every match begins with one, to be looked for anywhere (no
    // character start is checked); nothing when one is empty, or there are too many.
    static std::optional<LiteralPrefixes> OfTexts(std::vector<std::string> texts);

    // The first place at or after the character start `from` where one of the texts stands
    // wholly before `end` (under k at a character start too); null when there is none, and
    // then nothing in [from, end) matches.
    const char* Next(const char* from, const char* end) const;

    // In increasing order, none the start of another.
    const std::vector<std::string>& Texts() const { return texts_; }

private:
    LiteralPrefixes(std::vector<std::string> texts, bool kanji);

    bool StandsAt(const char* p, const char* end) const;
    const char* Candidate(const char* from, const char* p, const char* end) const;

    // Places are first told apart by the first bytes of the texts, this many of them.
    static constexpr std::size_t Filtered = 3;
    static constexpr std::size_t Lanes = 16;

    std::vector<std::string> texts_;
    // Byte k of text t (k below FilteredLength[t]), repeated over the lanes of a vector.
    alignas(16) char filter_[MaxTexts][Filtered][Lanes] = {};
    std::size_t filteredLength_[MaxTexts] = {};
    bool isFirstByte_[256] = {};
    bool kanji_;
    bool filterIsExact_ = true;  // no text is longer than the bytes the vectors compare
};

}  // namespace bregexp
