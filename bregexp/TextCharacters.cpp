#include "bregexp/TextCharacters.h"

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
    // from the first byte that is not, which is where a character begins.
    while (from < until && static_cast<unsigned char>(*from) < 0x80)
        ++from;
    if (from >= until)
        return from;
    const std::string_view text(from, static_cast<std::size_t>(end - from));
    const std::size_t reached = rule_->WellFormedUntil(text, 0, static_cast<std::size_t>(until - from));
    return from + reached >= until ? from + reached : nullptr;
}

std::uint32_t TextCharacters::CodeAt(const char* p, const char* end) const
{
    const auto first = static_cast<unsigned char>(*p);
    if (length_[first] == 1)
        return first;
    return ONIGENC_MBC_TO_CODE(encoding_, reinterpret_cast<const OnigUChar*>(p), reinterpret_cast<const OnigUChar*>(end));
}

}  // namespace bregexp
