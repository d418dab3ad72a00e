#include "engine/text/PatternConversion.h"

#include "platform/TextConversion.h"

namespace {

std::optional<platform::CodeSet> CodeSetOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return platform::CodeSet::Utf8;
    case TextEncoding::EucJp:
        return platform::CodeSet::EucJp;
    case TextEncoding::ShiftJis:
        return platform::CodeSet::ShiftJis;
    case TextEncoding::Ascii:
    case TextEncoding::Iso2022Jp:
        break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ConvertPatternText(std::string_view text, TextEncoding encoding, TextEncoding typed)
{
    if (typed != TextEncoding::ShiftJis) {
        const std::optional<platform::CodeSet> target = CodeSetOf(encoding);
        if (!target || encoding == typed)
            return std::string(text);
        return platform::ConvertText(text, *CodeSetOf(typed), *target);
    }
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
