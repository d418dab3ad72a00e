#include "engine/text/PatternConversion.h"

#include "platform/TextConversion.h"

std::optional<std::string> ConvertPatternText(std::string_view text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return platform::ConvertShiftJis(text, platform::CodeSet::Utf8);
    case TextEncoding::EucJp:
        return platform::ConvertShiftJis(text, platform::CodeSet::EucJp);
    case TextEncoding::ShiftJis:
    case TextEncoding::Ascii:
    case TextEncoding::Iso2022Jp:
        break;
    }
    return std::string(text);
}
