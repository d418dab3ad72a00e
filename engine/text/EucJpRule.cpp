#include "engine/text/CharacterRule.h"

namespace {

// A byte of a JIS X 0208 or 0212 character after its first.
bool IsTrailByte(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xFE;
}

bool IsHalfWidthKana(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xDF;
}

// The length of a well-formed character at `position`, or 0 when the bytes there form none.
std::size_t WellFormedLength(std::string_view text, std::size_t position)
{
    const auto at = [&](std::size_t i) { return ByteOrZero(text, i); };
    const unsigned char first = at(position);
    if (first < 0x80)
        return 1;
    if (first == 0x8E)  // half-width katakana
        return IsHalfWidthKana(at(position + 1)) ? 2 : 0;
    if (first == 0x8F)  // JIS X 0212
        return IsTrailByte(at(position + 1)) && IsTrailByte(at(position + 2)) ? 3 : 0;
    if (IsTrailByte(first))  // JIS X 0208
        return IsTrailByte(at(position + 1)) ? 2 : 0;
    return 0;
}

// Pairs, the 0x8E pair of a half-width katakana and the three-byte 0x8F form. Every byte
// of a longer character is 0x80 or above, so a byte below it always stands alone and a
// character always begins after it.
class EucJp final : public CharacterRule {
public:
    std::size_t CharacterLength(std::string_view text, std::size_t position) const override
    {
        const std::size_t length = WellFormedLength(text, position);
        return length == 0 ? 1 : length;
    }

    bool AcceptCharacterStart(std::string_view text, std::size_t& known, std::size_t candidate) const override
    {
        known = RestartPoint(text, known, candidate);
        return known == candidate;
    }

    // The start of the character that holds `position`.
    std::size_t RestartPoint(std::string_view text, std::size_t known, std::size_t position) const override
    {
        // Characters are counted from the last byte below 0x80 before the position, or
        // from `known` when that is later.
        std::size_t start = position;
        while (start > known && static_cast<unsigned char>(text[start - 1]) >= 0x80)
            --start;
        for (std::size_t next = start; next < position;) {
            start = next;
            next += CharacterLength(text, next);
            if (next == position)
                return position;
        }
        return start;
    }

    bool EndsOnCharacterStart(std::string_view text, std::size_t start, std::size_t end) const override
    {
        std::size_t position = start;
        while (position < end)
            position += CharacterLength(text, position);
        return position == end;
    }

    std::size_t CompleteEnd(std::string_view text) const override
    {
        std::size_t position = text.size();
        while (position > 0 && static_cast<unsigned char>(text[position - 1]) >= 0x80)
            --position;
        for (; position < text.size(); position += CharacterLength(text, position)) {
            const auto first = static_cast<unsigned char>(text[position]);
            const std::size_t announced = first == 0x8F ? 3 : first == 0x8E || IsTrailByte(first) ? 2 : 1;
            if (position + announced > text.size())
                return position;
        }
        return text.size();
    }

    std::size_t WellFormedUntil(std::string_view text, std::size_t from, std::size_t until) const override
    {
        return WellFormedRun(text, from, until, [](std::string_view bytes, std::size_t at) { return WellFormedLength(bytes, at); });
    }
};

}  // namespace

const CharacterRule& EucJpRule()
{
    static const EucJp rule;
    return rule;
}
