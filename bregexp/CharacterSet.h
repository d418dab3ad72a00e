#pragma once
#include <bitset>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace bregexp {

class TextCharacters;

// The characters one step of an expression takes: a literal, a class or `.`, by the codes
// Oniguruma gives characters. Digits and white space are ASCII's, as the library compiles
// expressions; word characters follow the encoding's own table.
class CharacterSet {
public:
    enum class Kind : std::uint8_t { Digit, Space, Word, NotDigit, NotSpace, NotWord };

    void Add(std::uint32_t code) { AddRange(code, code); }
    void AddRange(std::uint32_t low, std::uint32_t high);
    void Add(Kind kind) { kinds_.push_back(kind); }
    // Also the other case of every ASCII letter, before a negation applies.
    void FoldAsciiCase() { folds_ = true; }
    void Negate() { negated_ = true; }

    bool Contains(std::uint32_t code, const TextCharacters& characters) const;
    // The codes below 0x100 it holds.
    std::bitset<256> LowCodes(const TextCharacters& characters) const;

    // Whether every code the set holds is below 0x80.
    bool HoldsOnlyAscii() const;

    // Every code the set holds, when they are at most `most`; nothing otherwise.
    std::optional<std::vector<std::uint32_t>> FewCodes(std::size_t most) const;

    // Whether the set can hold a code of 0x100 or more; when it cannot answer for sure,
    // true. `codes`, when it is not null and the answer is sure, gets those codes as ranges.
    bool MayHoldWide(std::vector<std::pair<std::uint32_t, std::uint32_t>>* codes = nullptr) const;

private:
    bool HoldsBeforeNegation(std::uint32_t code, const TextCharacters& characters) const;

    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges_;
    std::vector<Kind> kinds_;
    bool folds_ = false;
    bool negated_ = false;
};

// The codes below 0x100 a set holds.
std::bitset<256> LowCodes(const CharacterSet& set, const TextCharacters& characters);

// Whether no code lies in both sets, as far as can be told; `lowA` and `lowB` are their
// LowCodes.
bool AreDisjoint(const CharacterSet& a, const std::bitset<256>& lowA, const CharacterSet& b,
                 const std::bitset<256>& lowB, const TextCharacters& characters);

}  // namespace bregexp
