#include "engine/text/ShiftJisWellFormed.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "engine/text/PrefetchAhead.h"
#include "engine/text/ShiftJisPairs.h"
#include "platform/DoubleByte.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr bool IsSecondByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// A byte that code page 932 leaves without a character when it stands alone.
constexpr bool IsUnassignedSingle(unsigned char byte)
{
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

// Sixty-four bytes as bit masks, bit i for the byte at i.
struct ByteClasses {
    std::uint64_t Lead = 0;        // first-byte range
    std::uint64_t BadSecond = 0;   // wrong as a second byte
    std::uint64_t Unassigned = 0;  // wrong where a character begins
    std::uint64_t High = 0;        // top bit set
};

constexpr std::size_t Block = 64;

ByteClasses Classify(const unsigned char* at)
{
    ByteClasses classes;
#if defined(__SSE2__)
    // Signed compares of the bytes with their top bit flipped stand for unsigned ones.
    const auto byte = [](int value) { return _mm_set1_epi8(static_cast<char>(value ^ 0x80)); };
    const auto bits = [](__m128i mask) { return static_cast<std::uint64_t>(_mm_movemask_epi8(mask)); };
    for (int part = 0; part < 4; ++part) {
        const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
        const __m128i bytes = _mm_xor_si128(raw, _mm_set1_epi8(static_cast<char>(0x80)));
        const __m128i lead = LeadBytesOf(raw);
        const __m128i never = _mm_cmpgt_epi8(bytes, byte(0xFC));
        const __m128i badSecond =
            _mm_or_si128(never, _mm_or_si128(_mm_cmplt_epi8(bytes, byte(0x40)), _mm_cmpeq_epi8(bytes, byte(0x7F))));
        const __m128i badAlone =
            _mm_or_si128(never, _mm_or_si128(_mm_cmpeq_epi8(bytes, byte(0x80)), _mm_cmpeq_epi8(bytes, byte(0xA0))));
        const int shift = 16 * part;
        classes.High |= bits(raw) << shift;
        classes.Lead |= bits(lead) << shift;
        classes.BadSecond |= bits(badSecond) << shift;
        classes.Unassigned |= bits(badAlone) << shift;
    }
#else
    for (std::size_t i = 0; i < Block; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        classes.Lead |= IsLeadByte(at[i]) ? bit : 0;
        classes.BadSecond |= IsSecondByte(at[i]) ? 0 : bit;
        classes.Unassigned |= IsUnassignedSingle(at[i]) ? bit : 0;
        classes.High |= at[i] >= 0x80 ? bit : 0;
    }
#endif
    return classes;
}


// Sixty-four bytes at a time: which bytes are second bytes follows from the bytes in the
// first-byte range and from whether the block begins with one; a second byte must be right
// as one, any other byte right on its own.
std::size_t WellFormedBlocks(std::string_view text, std::size_t from, std::size_t limit)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    bool secondFirst = false;  // the block's first byte ends a pair begun before it
    for (std::size_t start = from; start < limit; start += Block) {
        const std::size_t count = limit - start < Block ? limit - start : Block;
        ByteClasses classes;
        if (count == Block) {
            // Asked for well ahead: on a large text the loads otherwise wait for memory.
            PrefetchAhead(bytes + start);
            classes = Classify(bytes + start);
        } else {
            // Zeros after the limit are right on their own and begin no pair.
            unsigned char last[Block] = {};
            std::memcpy(last, bytes + start, count);
            classes = Classify(last);
        }
        if (classes.High == 0 && !secondFirst)
            continue;
        const std::uint64_t pairStarts = PairStarts(classes.Lead, secondFirst);
        const std::uint64_t seconds = (pairStarts << 1) | (secondFirst ? 1u : 0u);
        const std::uint64_t within = count == Block ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
        const std::uint64_t badSeconds = seconds & classes.BadSecond & within;
        if ((badSeconds & 1) != 0 && secondFirst)
            return start - 1;
        // Where a character that is wrong begins: a pair's first byte, or a byte alone.
        const std::uint64_t wrong =
            ((badSeconds >> 1) | (classes.Unassigned & ~seconds & ~pairStarts)) & within;
        if (wrong != 0)
            return start + static_cast<std::size_t>(std::countr_zero(wrong));
        // Whether the block's last byte begins a pair: the next block, or the byte at the
        // limit after the last block, is its second byte.
        secondFirst = ((pairStarts >> (count - 1)) & 1) != 0;
    }
    // A first byte right before the limit takes the byte after it.
    if (secondFirst)
        return limit < text.size() && IsSecondByte(bytes[limit]) ? limit + 1 : limit - 1;
    return limit;
}

}  // namespace

std::size_t ShiftJisWellFormedUntil(std::string_view text, std::size_t from, std::size_t until)
{
    const std::size_t limit = until < text.size() ? until : text.size();
    if (from >= limit)
        return from;
    return WellFormedBlocks(text, from, limit);
}
