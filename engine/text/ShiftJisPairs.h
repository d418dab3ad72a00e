#pragma once
// Shift-JIS read sixty-four bytes at a time, as bit masks: bit i stands for the byte at i.
// Whether a byte is the second of a pair follows from the run of first-byte-range bytes
// right before it, which these count for a whole block at once.
#include <cstdint>
#include <emmintrin.h>

// 0xFF for each of the sixteen bytes in the first-byte ranges 0x81-0x9F and 0xE0-0xFC.
inline __m128i LeadBytesOf(__m128i raw)
{
    // With bits 7 and 5 flipped the two ranges are the one range 0x21-0x5C, and signed
    // compares stand for unsigned ones.
    const __m128i folded = _mm_xor_si128(raw, _mm_set1_epi8(static_cast<char>(0xA0)));
    return _mm_and_si128(_mm_cmpgt_epi8(folded, _mm_set1_epi8(0x20)), _mm_cmplt_epi8(folded, _mm_set1_epi8(0x5D)));
}

// The bytes of `lead` that begin a pair, when the first byte is the second of a pair
// begun before it exactly when `secondFirst`. In a run of first-byte-range bytes that
// begins a character, every other byte begins a pair: the run's first, third and so on.
inline std::uint64_t PairStarts(std::uint64_t lead, bool secondFirst)
{
    constexpr std::uint64_t Even = 0x5555555555555555u;
    const std::uint64_t leads = secondFirst ? lead & ~std::uint64_t{1} : lead;
    const std::uint64_t runStarts = leads & ~(leads << 1);
    // Adding a run's lowest bit clears the run: what is cleared is the runs that begin at
    // an even place.
    const std::uint64_t evenRuns = leads & ~(leads + (runStarts & Even));
    const std::uint64_t oddRuns = leads & ~evenRuns;
    return (evenRuns & Even) | (oddRuns & ~Even);
}
