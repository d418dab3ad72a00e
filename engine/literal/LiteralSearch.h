// literal/: the literal matcher: the search for a find text, its pass over a text that comes in blocks, and the chain of passes.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "engine/text/CharacterRule.h"

// Finds one alternative of a literal pattern: the leftmost occurrence that begins at a
// character start of the text's encoding, characters counted from where the search begins,
// and that ends where the encoding's rule asks (Shift-JIS does not check the end). With
// ignoreCase the letters 'A'-'Z' that are characters of their own compare as 'a'-'z'; the
// second byte of a double-byte character is compared as it is (ア is not ヂ).
// Time is linear in the length searched.
class LiteralSearch {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    // Throws std::bad_alloc when its table cannot be had.
    LiteralSearch(std::string_view alternative, bool ignoreCase, const CharacterRule& rule = ShiftJisRule());

    // Start of the match at or after `from`, or npos; an empty alternative never matches.
    std::size_t FindNext(std::string_view text, std::size_t from) const;
    // The starts of up to `capacity` successive matches from `from` into `starts`, each as
    // FindNext would find it from the end of the one before; returns how many. Fewer than
    // `capacity` means there are no more. A text full of matches is searched in one pass
    // instead of one call per match.
    std::size_t FindSeveral(std::string_view text, std::size_t from, std::size_t* starts, std::size_t capacity) const;
    std::size_t Length() const { return pattern_.size(); }
    const CharacterRule& Rule() const { return rule_; }

private:
    // Hands each successive match to `take` until it returns false or the text ends.
    template <bool Fold, typename Take>
    void FindFiltered(std::string_view text, std::size_t from, Take& take) const;
    template <typename Take>
    void FindEach(std::string_view text, std::size_t from, Take& take) const;
    template <typename Take>
    void FindOneByte(std::string_view text, std::size_t from, Take& take) const;
    template <bool Fold>
    std::size_t FindByAutomaton(std::string_view text, std::size_t start, std::size_t known) const;
    template <bool Fold>
    bool InnerBytesMatch(const char* candidate) const;
    // Whether the occurrence at `candidate` is whole characters; see CharacterRule. With
    // ignoreCase, also whether the bytes that are no letters of their own match exactly.
    bool Accept(std::string_view text, std::size_t& known, std::size_t candidate) const;

    std::string pattern_;  // every byte folded when ignoring case, for finding candidates
    bool ignoreCase_;
    // With ignoreCase, the alternative as given where its bytes belong to characters of
    // several bytes, and 0 where they are characters of one byte, which fold.
    std::string unfolded_;
    const CharacterRule& rule_;
    bool shiftJis_;  // the rule is Shift-JIS's, which Accept knows without asking it
    // A find text of one byte outside the first-byte range, in Shift-JIS, compared as it
    // is: its matches are that byte wherever it is no second byte.
    bool oneByte_ = false;
    // For each prefix of the pattern, the length of its longest proper border; drives the
    // linear scan that takes over when the fast filter meets too many near-misses.
    std::unique_ptr<std::size_t[]> borders_;
};
