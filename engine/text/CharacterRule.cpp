#include "engine/text/CharacterRule.h"

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
