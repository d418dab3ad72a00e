#include "bregexp/CharacterSet.h"

#include <algorithm>

#include "bregexp/TextCharacters.h"

namespace bregexp {

namespace {

bool IsAsciiDigit(std::uint32_t code)
{
    return code >= '0' && code <= '9';
}

// Oniguruma's white space of ASCII: TAB, LF, VT, FF, CR and the space.
bool IsAsciiSpace(std::uint32_t code)
{
    return (code >= 0x09 && code <= 0x0D) || code == ' ';
}

std::uint32_t OtherAsciiCase(std::uint32_t code)
{
    if (code >= 'a' && code <= 'z')
        return code - 'a' + 'A';
    if (code >= 'A' && code <= 'Z')
        return code - 'A' + 'a';
    return code;
}

}  // namespace

void CharacterSet::AddRange(std::uint32_t low, std::uint32_t high)
{
    ranges_.emplace_back(low, high);
}

bool CharacterSet::HoldsBeforeNegation(std::uint32_t code, const TextCharacters& characters) const
{
    for (const auto& [low, high] : ranges_)
        if (code >= low && code <= high)
            return true;
    for (const Kind kind : kinds_) {
        switch (kind) {
        case Kind::Digit: if (IsAsciiDigit(code)) return true; break;
        case Kind::Space: if (IsAsciiSpace(code)) return true; break;
        case Kind::Word: if (characters.IsWordCode(code)) return true; break;
        case Kind::NotDigit: if (!IsAsciiDigit(code)) return true; break;
        case Kind::NotSpace: if (!IsAsciiSpace(code)) return true; break;
        case Kind::NotWord: if (!characters.IsWordCode(code)) return true; break;
        }
    }
    return false;
}

bool CharacterSet::Contains(std::uint32_t code, const TextCharacters& characters) const
{
    bool holds = HoldsBeforeNegation(code, characters);
    if (!holds && folds_ && OtherAsciiCase(code) != code)
        holds = HoldsBeforeNegation(OtherAsciiCase(code), characters);
    return holds != negated_;
}

bool CharacterSet::HoldsOnlyAscii() const
{
    if (negated_)
        return false;
    for (const Kind kind : kinds_)
        if (kind != Kind::Digit && kind != Kind::Space)
            return false;
    for (const auto& range : ranges_)
        if (range.second >= 0x80)
            return false;
    return true;
}

std::optional<std::vector<std::uint32_t>> CharacterSet::FewCodes(std::size_t most) const
{
    if (negated_ || !kinds_.empty())
        return std::nullopt;
    std::vector<std::uint32_t> codes;
    for (const auto& [low, high] : ranges_) {
        if (high - low >= most)
            return std::nullopt;
        for (std::uint32_t code = low; code <= high; ++code) {
            codes.push_back(code);
            if (folds_ && OtherAsciiCase(code) != code)
                codes.push_back(OtherAsciiCase(code));
        }
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    if (codes.size() > most)
        return std::nullopt;
    return codes;
}

bool CharacterSet::MayHoldWide(std::vector<std::pair<std::uint32_t, std::uint32_t>>* codes) const
{
    if (negated_)
        return true;
    for (const Kind kind : kinds_)
        if (kind != Kind::Digit && kind != Kind::Space)
            return true;
    bool any = false;
    for (const auto& [low, high] : ranges_) {
        if (high < 0x100)
            continue;
        any = true;
        if (codes)
            codes->emplace_back(std::max<std::uint32_t>(low, 0x100), high);
    }
    return any;
}

std::bitset<256> CharacterSet::LowCodes(const TextCharacters& characters) const
{
    std::bitset<256> codes;
    for (const auto& [low, high] : ranges_)
        for (std::uint32_t code = low; code <= high && code < 0x100; ++code)
            codes[code] = true;
    for (std::uint32_t code = 0; !kinds_.empty() && code < 0x100; ++code)
        codes[code] = codes[code] || HoldsBeforeNegation(code, characters);
    for (std::uint32_t code = 0; folds_ && code < 0x80; ++code)
        if (codes[code])
            codes[OtherAsciiCase(code)] = true;
    return negated_ ? ~codes : codes;
}

std::bitset<256> LowCodes(const CharacterSet& set, const TextCharacters& characters)
{
    return set.LowCodes(characters);
}

bool AreDisjoint(const CharacterSet& a, const std::bitset<256>& lowA, const CharacterSet& b,
                 const std::bitset<256>& lowB, const TextCharacters& characters)
{
    if ((lowA & lowB).any())
        return false;
    if (characters.ReadsBytes())
        return true;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> first, second;
    const bool aWide = a.MayHoldWide(&first);
    const bool bWide = b.MayHoldWide(&second);
    if (!aWide || !bWide)
        return true;
    // Both hold codes of 0x100 or more: only two known lists of them can be told apart.
    if (first.empty() || second.empty())
        return false;
    for (const auto& [lowA, highA] : first)
        for (const auto& [lowB, highB] : second)
            if (lowA <= highB && lowB <= highA)
                return false;
    return true;
}

}  // namespace bregexp
