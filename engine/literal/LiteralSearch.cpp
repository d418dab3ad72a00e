#include "engine/literal/LiteralSearch.h"

#include <cstdint>
#include <cstring>

#include "engine/text/PrefetchAhead.h"
#include "engine/text/ShiftJisPairs.h"
#include "platform/DoubleByte.h"
// Both targets are x86-64, where SSE2 is always present.
#include <emmintrin.h>


namespace {

constexpr unsigned char FoldByte(unsigned char byte)
{
    return static_cast<unsigned>(byte - 'A') < 26u ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

template <bool Fold>
unsigned char Key(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return Fold ? FoldByte(value) : value;
}

// Sixteen bytes of text, folded like FoldByte when asked.
template <bool Fold>
__m128i LoadKeys(const char* text)
{
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    if constexpr (Fold) {
        // 'A'..'Z' move to the bottom of the signed range, where one comparison finds them.
        const __m128i shifted = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - 'A')));
        const __m128i upper = _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(0x80 + 26)));
        bytes = _mm_add_epi8(bytes, _mm_and_si128(upper, _mm_set1_epi8('a' - 'A')));
    }
    return bytes;
}

}  // namespace

LiteralSearch::LiteralSearch(std::string_view alternative, bool ignoreCase, const CharacterRule& rule)
    : pattern_(alternative), ignoreCase_(ignoreCase), rule_(rule), shiftJis_(&rule == &ShiftJisRule())
{
    if (ignoreCase_) {
        unfolded_.assign(alternative.size(), '\0');
        for (std::size_t at = 0; at < alternative.size();) {
            const std::size_t length = rule_.CharacterLength(alternative, at);
            if (length > 1)
                unfolded_.replace(at, length, alternative.substr(at, length));
            at += length;
        }
        for (char& byte : pattern_)
            byte = static_cast<char>(FoldByte(static_cast<unsigned char>(byte)));
    }
    const std::size_t length = pattern_.size();
    if (length == 0)
        return;
    oneByte_ = shiftJis_ && !ignoreCase_ && length == 1 && !IsLeadByte(pattern_[0]);
    borders_.reset(new std::size_t[length]);
    borders_[0] = 0;
    for (std::size_t i = 1, border = 0; i < length; ++i) {
        while (border > 0 && pattern_[i] != pattern_[border])
            border = borders_[border - 1];
        if (pattern_[i] == pattern_[border])
            ++border;
        borders_[i] = border;
    }
}

bool LiteralSearch::Accept(std::string_view text, std::size_t& known, std::size_t candidate) const
{
    if (shiftJis_ && !ignoreCase_) {
        // The rule's own answer, without a call; Shift-JIS does not check the end.
        return AcceptCharacterStart(text.data(), known, candidate);
    }
    if (ignoreCase_)
        for (std::size_t i = 0; i < unfolded_.size(); ++i)
            if (unfolded_[i] != '\0' && unfolded_[i] != text[candidate + i])
                return false;
    return rule_.AcceptCharacterStart(text, known, candidate) &&
           rule_.EndsOnCharacterStart(text, candidate, candidate + pattern_.size());
}

template <typename Take>
void LiteralSearch::FindEach(std::string_view text, std::size_t from, Take& take) const
{
    if (pattern_.empty() || from > text.size() || text.size() - from < pattern_.size())
        return;
    if (oneByte_)
        FindOneByte(text, from, take);
    else if (ignoreCase_)
        FindFiltered<true>(text, from, take);
    else
        FindFiltered<false>(text, from, take);
}

// Sixty-four bytes at a time: the byte's places, less the second bytes, which follow from
// the first-byte-range bytes and from whether the block begins with a second byte. A match
// is a character of its own, so characters counted afresh after it are the ones counted on.
template <typename Take>
void LiteralSearch::FindOneByte(std::string_view text, std::size_t from, Take& take) const
{
    const char* bytes = text.data();
    const std::size_t size = text.size();
    const __m128i key = _mm_set1_epi8(pattern_[0]);
    bool secondFirst = false;  // the block's first byte ends a pair begun before it
    std::size_t start = from;
    for (; size - start >= 64; start += 64) {
        PrefetchAhead(bytes + start);
        std::uint64_t lead = 0;
        std::uint64_t hits = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + start + 16 * part));
            lead |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(LeadBytesOf(raw)))) << (16 * part);
            hits |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(raw, key))))
                    << (16 * part);
        }
        if ((lead | hits) == 0 && !secondFirst)
            continue;
        const std::uint64_t pairStarts = PairStarts(lead, secondFirst);
        for (std::uint64_t found = hits & ~((pairStarts << 1) | (secondFirst ? 1u : 0u)); found != 0;
             found &= found - 1)
            if (!take(start + static_cast<std::size_t>(__builtin_ctzll(found))))
                return;
        secondFirst = (pairStarts >> 63) != 0;
    }
    for (std::size_t p = start + (secondFirst ? 1 : 0); p < size; p += IsLeadByte(bytes[p]) ? 2 : 1)
        if (bytes[p] == pattern_[0] && !take(p))
            return;
}

std::size_t LiteralSearch::FindNext(std::string_view text, std::size_t from) const
{
    std::size_t found = npos;
    auto take = [&found](std::size_t start) {
        found = start;
        return false;
    };
    FindEach(text, from, take);
    return found;
}

std::size_t LiteralSearch::FindSeveral(std::string_view text, std::size_t from, std::size_t* starts,
                                       std::size_t capacity) const
{
    std::size_t count = 0;
    if (capacity == 0)
        return 0;
    auto take = [&](std::size_t start) {
        starts[count++] = start;
        return count < capacity;
    };
    FindEach(text, from, take);
    return count;
}

template <bool Fold>
bool LiteralSearch::InnerBytesMatch(const char* candidate) const
{
    const std::size_t length = pattern_.size();
    if (length <= 2)
        return true;
    if constexpr (!Fold)
        return std::memcmp(candidate + 1, pattern_.data() + 1, length - 2) == 0;
    for (std::size_t i = 1; i + 1 < length; ++i)
        if (Key<true>(candidate[i]) != static_cast<unsigned char>(pattern_[i]))
            return false;
    return true;
}

// Candidates are the positions whose first and last bytes match, sixteen at a time; each is
// then checked in full. Text built to make most positions candidates (long runs of one
// letter against a pattern that differs in the middle) would make that quadratic, so once
// the checks since the last match have cost more than a few times the distance covered,
// the rest of the search goes to the border automaton.
// After a match the search goes on from its end as a new search would: matches do not
// overlap, and characters are counted afresh from there.
template <bool Fold, typename Take>
void LiteralSearch::FindFiltered(std::string_view text, std::size_t from, Take& take) const
{
    const char* bytes = text.data();
    const std::size_t length = pattern_.size();
    const std::size_t lastStart = text.size() - length;
    const auto first = static_cast<unsigned char>(pattern_.front());
    const auto last = static_cast<unsigned char>(pattern_.back());
    std::size_t next = from;  // where the next match may begin
    std::size_t known = from;
    std::size_t checked = 0;
    const std::size_t allowance = 8 * length + 256;

    // Returns true when the search is over.
    auto examine = [&](std::size_t candidate) {
        if (candidate < next)
            return false;
        checked += length;
        if (checked > 4 * (candidate - next) + allowance) {
            for (std::size_t start = candidate;;) {
                const std::size_t match = FindByAutomaton<Fold>(text, start, known);
                if (match == npos || !take(match))
                    return true;
                start = known = match + length;
            }
        }
        if (InnerBytesMatch<Fold>(bytes + candidate) && Accept(text, known, candidate)) {
            if (!take(candidate))
                return true;
            next = known = candidate + length;
            checked = 0;
        }
        return false;
    };

    std::size_t position = from;
    const __m128i firstKeys = _mm_set1_epi8(static_cast<char>(first));
    const __m128i lastKeys = _mm_set1_epi8(static_cast<char>(last));
    // Both loads of a block stay inside the text: the last one ends at position + length + 14.
    for (; lastStart >= 15 && position <= lastStart - 15; position += 16) {
        PrefetchAhead(bytes + position);
        const __m128i firstHits = _mm_cmpeq_epi8(LoadKeys<Fold>(bytes + position), firstKeys);
        const __m128i lastHits = _mm_cmpeq_epi8(LoadKeys<Fold>(bytes + position + length - 1), lastKeys);
        for (unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(firstHits, lastHits))); hits != 0;
             hits &= hits - 1)
            if (examine(position + static_cast<std::size_t>(__builtin_ctz(hits))))
                return;
    }
    for (; position <= lastStart; ++position)
        if (Key<Fold>(bytes[position]) == first && Key<Fold>(bytes[position + length - 1]) == last &&
            examine(position))
            return;
}

// The classic prefix automaton over the (folded) text: every byte is read once.
template <bool Fold>
std::size_t LiteralSearch::FindByAutomaton(std::string_view text, std::size_t start, std::size_t known) const
{
    const std::size_t length = pattern_.size();
    std::size_t matched = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        const auto byte = static_cast<char>(Key<Fold>(text[i]));
        while (matched > 0 && pattern_[matched] != byte)
            matched = borders_[matched - 1];
        if (pattern_[matched] == byte)
            ++matched;
        if (matched == length) {
            const std::size_t candidate = i + 1 - length;
            if (Accept(text, known, candidate))
                return candidate;
            matched = borders_[length - 1];
        }
    }
    return npos;
}
