#include "engine/CharacterRule.h"

const CharacterRule& CharacterRuleOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::EucJp:
        return EucJpRule();
    case TextEncoding::Utf8:
        return Utf8Rule();
    case TextEncoding::ShiftJis:
    case TextEncoding::Ascii:
    case TextEncoding::Iso2022Jp:
        break;
    }
    return ShiftJisRule();
}

std::string_view EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Ascii:
        return "ASCII";
    case TextEncoding::ShiftJis:
        return "Shift-JIS";
    case TextEncoding::EucJp:
        return "EUC-JP";
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Iso2022Jp:
        break;
    }
    return "ISO-2022-JP";
}

std::size_t WellFormedRun(std::string_view text, std::size_t from, std::size_t until,
                          std::size_t (*wellFormedLength)(std::string_view, std::size_t))
{
    std::size_t i = from;
    while (i < until) {
        const std::size_t length = wellFormedLength(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return i;
}
