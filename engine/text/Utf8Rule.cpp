#include "engine/text/CharacterRule.h"

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length a first byte announces.
std::size_t ExpectedLength(unsigned char first)
{
    return first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
}

// The length of a well-formed sequence at `position` (shortest form, no surrogates, at
// most U+10FFFF), or 0.
std::size_t WellFormedLength(std::string_view text, std::size_t position)
{
    const auto at = [&](std::size_t i) { return ByteOrZero(text, i); };
    const unsigned char first = at(position);
    if (first < 0x80)
        return 1;
    // The range the second byte must lie in, which rules out overlong forms, surrogates
    // and code points past U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    std::size_t length;
    if (first >= 0xC2 && first <= 0xDF)
        length = 2;
    else if (first >= 0xE0 && first <= 0xEF)
        length = 3, low = first == 0xE0 ? 0xA0 : 0x80, high = first == 0xED ? 0x9F : 0xBF;
    else if (first >= 0xF0 && first <= 0xF4)
        length = 4, low = first == 0xF0 ? 0x90 : 0x80, high = first == 0xF4 ? 0x8F : 0xBF;
    else
        return 0;
    const unsigned char second = at(position + 1);
    if (second < low || second > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(at(position + i)))
            return 0;
    return length;
}

// WellFormedLength with the common characters of two and three bytes told from the bytes
// at once, away from the end of the text: detection reads every character of a file.
std::size_t QuickWellFormedLength(std::string_view text, std::size_t position)
{
    if (text.size() - position >= 4) {
        const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + position;
        const unsigned first = p[0];
        // E1-EC and EE-EF take any continuation byte second; E0 and ED do not.
        if (first - 0xE1u <= 0xECu - 0xE1u || first - 0xEEu <= 1u)
            return (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80 ? 3 : 0;
        if (first - 0xC2u <= 0xDFu - 0xC2u)
            return (p[1] & 0xC0) == 0x80 ? 2 : 0;
    }
    return WellFormedLength(text, position);
}

// Self-synchronising: a character begins at every byte that is not 10xxxxxx.
class Utf8 final : public CharacterRule {
public:
    std::size_t CharacterLength(std::string_view text, std::size_t position) const override
    {
        const std::size_t expected = ExpectedLength(static_cast<unsigned char>(text[position]));
        std::size_t length = 1;
        while (length < expected && position + length < text.size() &&
               IsContinuation(static_cast<unsigned char>(text[position + length])))
            ++length;
        return length;
    }

    bool AcceptCharacterStart(std::string_view text, std::size_t& known, std::size_t candidate) const override
    {
        const bool accepted = !IsContinuation(static_cast<unsigned char>(text[candidate]));
        if (accepted)
            known = candidate;
        return accepted;
    }

    // Every byte tells by itself whether it begins a character.
    std::size_t RestartPoint(std::string_view, std::size_t, std::size_t position) const override { return position; }

    bool EndsOnCharacterStart(std::string_view text, std::size_t, std::size_t end) const override
    {
        return end == text.size() || !IsContinuation(static_cast<unsigned char>(text[end]));
    }

    std::size_t CompleteEnd(std::string_view text) const override
    {
        std::size_t start = text.size();
        while (start > 0 && text.size() - start < 3 && IsContinuation(static_cast<unsigned char>(text[start - 1])))
            --start;
        if (start == 0)
            return text.size();
        --start;
        return start + ExpectedLength(static_cast<unsigned char>(text[start])) > text.size() ? start : text.size();
    }

    std::size_t WellFormedUntil(std::string_view text, std::size_t from, std::size_t until) const override
    {
        return WellFormedRun(text, from, until,
                             [](std::string_view bytes, std::size_t at) { return QuickWellFormedLength(bytes, at); });
    }
};

}  // namespace

const CharacterRule& Utf8Rule()
{
    static const Utf8 rule;
    return rule;
}
