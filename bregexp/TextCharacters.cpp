#include "bregexp/TextCharacters.h"

#include <cstring>
#include <string_view>

#include "engine/text/CharacterRule.h"

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

}  // namespace bregexp
