#include "engine/text/ShiftJisWellFormed.h"

#include <bit>

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

// For each byte: bit 0 when it is wrong where a character begins (it is never a first
// byte then), bit 1 when it is wrong as a second byte; and bit 1 alone in Lead for the
// first-byte range, so that (Doubt[b] & (1 | Lead[before])) tells a byte worth a look.
struct ByteTables {
    unsigned char Doubt[256];
    unsigned char Lead[256];
};

constexpr ByteTables MakeTables()
{
    ByteTables tables{};
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        const bool lead = IsLeadByte(byte);
        tables.Doubt[value] = static_cast<unsigned char>((!lead && IsUnassignedSingle(byte) ? 1 : 0) |
                                                         (IsSecondByte(byte) ? 0 : 2));
        tables.Lead[value] = lead ? 2 : 0;
    }
    return tables;
}

constexpr ByteTables Tables = MakeTables();

unsigned char ByteAt(std::string_view text, std::size_t position)
{
    return static_cast<unsigned char>(text[position]);
}

// Whether the byte at `position` ends a character begun right before it: an odd run of
// first-byte-range bytes, counted back no further than `from`, a character start.
bool IsSecondOfPair(std::string_view text, std::size_t from, std::size_t position)
{
    std::size_t run = position;
    while (run > from && IsLeadByte(ByteAt(text, run - 1)))
        --run;
    return ((position - run) & 1) != 0;
}

// Where a well-formed text goes wrong at the byte at `position`, worth a look: the
// position of the malformed character, or npos when the byte is right where it stands.
std::size_t WrongAt(std::string_view text, std::size_t from, std::size_t position)
{
    const unsigned char byte = ByteAt(text, position);
    if (IsSecondOfPair(text, from, position))
        return IsSecondByte(byte) ? std::string_view::npos : position - 1;
    return IsUnassignedSingle(byte) ? position : std::string_view::npos;
}

#if defined(__SSE2__)
// One bit for each of the sixteen bytes from `at` that is worth a look; the byte before
// `at` is read too.
unsigned DoubtsIn16(const unsigned char* at)
{
    // Unsigned ranges by signed compares of the bytes with their top bit flipped.
    const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i all = _mm_set1_epi8(-1);
    const auto within = [&](__m128i bytes, int low, int high) {
        const __m128i atLeast =
            low == 0 ? all : _mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>((low - 1) ^ 0x80)));
        const __m128i atMost =
            high == 0xFF ? all : _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>((high + 1) ^ 0x80)));
        return _mm_and_si128(atLeast, atMost);
    };
    const auto equal = [&](__m128i bytes, int value) {
        return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(value ^ 0x80)));
    };
    const __m128i bytes = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), flip);
    const __m128i before = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1)), flip);
    const __m128i leadBefore = _mm_or_si128(within(before, 0x81, 0x9F), within(before, 0xE0, 0xFC));
    const __m128i never = within(bytes, 0xFD, 0xFF);
    const __m128i badAlone = _mm_or_si128(never, _mm_or_si128(equal(bytes, 0x80), equal(bytes, 0xA0)));
    const __m128i badSecond =
        _mm_or_si128(never, _mm_or_si128(within(bytes, 0x00, 0x3F), equal(bytes, 0x7F)));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(badAlone, _mm_and_si128(badSecond, leadBefore))));
}
#endif

}  // namespace

std::size_t ShiftJisWellFormedUntil(std::string_view text, std::size_t from, std::size_t until)
{
    const std::size_t limit = until < text.size() ? until : text.size();
    if (from >= limit)
        return from;
    if (IsUnassignedSingle(ByteAt(text, from)))
        return from;
    for (std::size_t position = from + 1; position < limit;) {
#if defined(__SSE2__)
        if (limit - position >= 16) {
            for (unsigned doubts = DoubtsIn16(reinterpret_cast<const unsigned char*>(text.data()) + position);
                 doubts != 0; doubts &= doubts - 1)
                if (const std::size_t wrong = WrongAt(text, from, position + std::countr_zero(doubts));
                    wrong != std::string_view::npos)
                    return wrong;
            position += 16;
            continue;
        }
#endif
        // Eight bytes at a time while none is worth a look.
        const std::size_t stop = limit - position >= 8 ? position + 8 : limit;
        unsigned doubt = 0;
        for (std::size_t p = position; p < stop; ++p)
            doubt |= Tables.Doubt[ByteAt(text, p)] & (1u | Tables.Lead[ByteAt(text, p - 1)]);
        if (doubt == 0) {
            position = stop;
            continue;
        }
        for (; position < stop; ++position)
            if ((Tables.Doubt[ByteAt(text, position)] & (1u | Tables.Lead[ByteAt(text, position - 1)])) != 0)
                if (const std::size_t wrong = WrongAt(text, from, position); wrong != std::string_view::npos)
                    return wrong;
    }
    // A first byte right before the limit takes the byte after it.
    if (!IsSecondOfPair(text, from, limit))
        return limit;
    return limit < text.size() && IsSecondByte(ByteAt(text, limit)) ? limit + 1 : limit - 1;
}
