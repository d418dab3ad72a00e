#include "bregexp/TextCharacters.h"

#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/text/CharacterRule.h"
#include "platform/DoubleByte.h"

namespace bregexp {

TextCharacters::TextCharacters(OnigEncoding encoding, const CharacterRule* rule) : encoding_(encoding), rule_(rule)
{
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<OnigUChar>(value);
        length_[value] = static_cast<std::uint8_t>(ONIGENC_MBC_ENC_LEN(encoding, &byte));
        const char single = static_cast<char>(value);
        single_[value] =
            length_[value] == 1 && (!rule || rule->WellFormedUntil(std::string_view(&single, 1), 0, 1) == 1);
        // Codes below 0x100 that are no character of their own (first bytes) are never asked.
        word_[value] = ONIGENC_IS_CODE_WORD(encoding, value) != 0;
    }
    // Shift-JIS, the program's own encoding, is checked here without a call for short
    // stretches; its second bytes are the same whatever the first.
    shiftJis_ = rule && encoding == ONIG_ENCODING_SJIS;
    for (unsigned value = 0; shiftJis_ && value < 256; ++value) {
        const char pair[2] = {'\x81', static_cast<char>(value)};
        second_[value] = rule->WellFormedUntil(std::string_view(pair, 2), 0, 1) == 2;
    }
}

std::size_t TextCharacters::WellFormedLength(const char* p, const char* end) const
{
    const auto first = static_cast<unsigned char>(*p);
    if (single_[first])
        return 1;
    if (!rule_ || length_[first] < 2)
        return 0;
    const std::string_view text(p, static_cast<std::size_t>(end - p));
    const std::size_t reached = rule_->WellFormedUntil(text, 0, 1);
    return reached == length_[first] ? reached : 0;
}

namespace {

bool IsShiftJisLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Oniguruma's bytes that cannot follow a first byte.
bool IsNoShiftJisSecond(unsigned char byte)
{
    return byte < 0x40 || byte == 0x7F || byte >= 0xFD;
}

}  // namespace

bool TextCharacters::HasNoBrokenPair(const char* from, const char* until, const char* end) const
{
    const auto* p = reinterpret_cast<const unsigned char*>(from);
    const auto* stop = reinterpret_cast<const unsigned char*>(until);
    const auto* last = reinterpret_cast<const unsigned char*>(end);
    // Most stretches between two places worth a try are a few seven-bit bytes.
    if (stop - p >= 8 && stop - p <= 16) {
        std::uint64_t head, tail;
        std::memcpy(&head, p, 8);
        std::memcpy(&tail, stop - 8, 8);
        if (((head | tail) & 0x8080808080808080u) == 0)
            return true;
    }
#if defined(__SSE2__)
    // Sixteen bytes and the sixteen after each at a time, as signed bytes with the top bit
    // flipped; a block of seven-bit bytes holds no first byte at all.
    const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
    const auto below = [&](__m128i bytes, int value) {
        return _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(value ^ 0x80)));
    };
    const auto above = [&](__m128i bytes, int value) {
        return _mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>(value ^ 0x80)));
    };
    for (; stop - p >= 16 && last - p >= 17; p += 16) {
        const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(raw) == 0)
            continue;
        const __m128i bytes = _mm_xor_si128(raw, flip);
        const __m128i next = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1)), flip);
        const __m128i lead = _mm_or_si128(_mm_and_si128(above(bytes, 0x80), below(bytes, 0xA0)),
                                          _mm_and_si128(above(bytes, 0xDF), below(bytes, 0xFD)));
        const __m128i noSecond = _mm_or_si128(_mm_or_si128(below(next, 0x40), above(next, 0xFC)),
                                              _mm_cmpeq_epi8(next, _mm_set1_epi8(static_cast<char>(0x7F ^ 0x80))));
        // A second byte in the first-byte range may well be followed by anything.
        for (unsigned broken = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(lead, noSecond))); broken != 0;
             broken &= broken - 1)
            if (IsCharacterStart(from, reinterpret_cast<const char*>(p) + __builtin_ctz(broken)))
                return false;
    }
#endif
    for (; p < stop; ++p)
        if (IsShiftJisLead(*p) && (p + 1 >= last || IsNoShiftJisSecond(p[1])) &&
            IsCharacterStart(from, reinterpret_cast<const char*>(p)))
            return false;
    return true;
}

const char* TextCharacters::CompleteEnd(const char* start, const char* end) const
{
    // Shift-JIS's own rule cuts what Oniguruma reads the same way; bytes are bytes.
    if (!rule_ || shiftJis_)
        return end;
    const auto lengthAt = [&](const char* p) { return length_[static_cast<unsigned char>(*p)]; };
    // A place where a character begins however the text before it is read: none of the
    // characters that could begin in the three bytes before it reaches past it. Every
    // boundary of well-formed UTF-8 is one, in EUC-JP every one after a seven-bit byte.
    const auto synchronizes = [&](const char* y) {
        for (std::ptrdiff_t back = 1; back <= 3 && y - back >= start; ++back)
            if (lengthAt(y - back) > back)
                return false;
        return true;
    };
    const char* from = end;
    while (from > start && end - from < 64 && !synchronizes(from))
        --from;
    if (!synchronizes(from))
        from = start;
    for (const char* p = from; p < end; p += lengthAt(p))
        if (lengthAt(p) > end - p)
            return p;
    return end;
}

const char* TextCharacters::WellFormedUntil(const char* from, const char* until, const char* end) const
{
    if (!rule_)
        return until;
    // Seven-bit bytes are characters of their own in every encoding: the rule is asked
    // from the first byte that is not, which is where a character begins. The rule looks
    // at a long stretch many bytes at a time; a short one in Shift-JIS is read here.
    const bool shortStretch = shiftJis_ && until - from <= 64;
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    while (from < until) {
        const auto first = static_cast<unsigned char>(*from);
        if (first < 0x80) {
            ++from;
            for (std::uint64_t eight; until - from >= 8; from += 8) {
                std::memcpy(&eight, from, sizeof eight);
                if ((eight & HighBits) != 0)
                    break;
            }
        } else if (!shortStretch) {
            break;
        } else if (length_[first] == 2) {
            if (end - from < 2 || !second_[static_cast<unsigned char>(from[1])])
                return nullptr;
            from += 2;
        } else if (single_[first]) {
            ++from;
        } else {
            return nullptr;
        }
    }
    if (from >= until)
        return from;
    const std::string_view text(from, static_cast<std::size_t>(end - from));
    const std::size_t reached = rule_->WellFormedUntil(text, 0, static_cast<std::size_t>(until - from));
    return from + reached >= until ? from + reached : nullptr;
}

bool TextCharacters::AppendCharacter(std::uint32_t code, std::string& bytes) const
{
    if (code < 0x80 || (ReadsBytes() && code < 0x100)) {
        bytes += static_cast<char>(code);
        return true;
    }
    OnigUChar buffer[ONIGENC_CODE_TO_MBC_MAXLEN];
    const int length = ONIGENC_CODE_TO_MBC(encoding_, code, buffer);
    if (length <= 0 || length > ONIGENC_CODE_TO_MBC_MAXLEN)
        return false;
    bytes.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
    return true;
}

std::uint32_t TextCharacters::CodeAt(const char* p, const char* end) const
{
    const auto first = static_cast<unsigned char>(*p);
    if (length_[first] == 1)
        return first;
    return ONIGENC_MBC_TO_CODE(encoding_, reinterpret_cast<const OnigUChar*>(p), reinterpret_cast<const OnigUChar*>(end));
}

const TextCharacters& TextCharactersOf(OnigEncoding encoding)
{
    if (encoding == ONIG_ENCODING_UTF8) {
        static const TextCharacters utf8(encoding, &Utf8Rule());
        return utf8;
    }
    if (encoding == ONIG_ENCODING_EUC_JP) {
        static const TextCharacters eucJp(encoding, &EucJpRule());
        return eucJp;
    }
    if (encoding == ONIG_ENCODING_SJIS) {
        static const TextCharacters shiftJis(encoding, &ShiftJisRule());
        return shiftJis;
    }
    static const TextCharacters bytes(ONIG_ENCODING_ASCII, nullptr);
    return bytes;
}

}  // namespace bregexp
