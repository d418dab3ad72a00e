#include "engine/text/PatternConversion.h"

#include "platform/TextConversion.h"

namespace {

// Characters typed in UTF-8 as JIS X 0208 maps them, where code page 932 maps the same
// codes to other code points (〜 for ～ at 0x8160, − for － at 0x817C, and the like): in
// the code points of code page 932, which then holds them. EUC-JP's converter takes both.
std::string InCodePage932Points(std::string_view text)
{
    static const struct {
        std::string_view jis, codePage932;
    } variants[] = {
        {"\xE3\x80\x9C", "\xEF\xBD\x9E"},  // 〜 ～
        {"\xE2\x80\x96", "\xE2\x88\xA5"},  // ‖ ∥
        {"\xE2\x88\x92", "\xEF\xBC\x8D"},  // − －
        {"\xE2\x80\x94", "\xE2\x80\x95"},  // — ―
        {"\xC2\xA2", "\xEF\xBF\xA0"},      // ¢ ￠
        {"\xC2\xA3", "\xEF\xBF\xA1"},      // £ ￡
        {"\xC2\xAC", "\xEF\xBF\xA2"},      // ¬ ￢
    };
    std::string folded;
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& variant : variants)
            if (text.substr(at, variant.jis.size()) == variant.jis) {
                folded += variant.codePage932;
                at += variant.jis.size();
                replaced = true;
                break;
            }
        if (!replaced)
            folded += text[at++];
    }
    return folded;
}

}  // namespace

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

std::optional<std::string> ConvertPatternText(std::string_view text, TextEncoding encoding, TextEncoding typed)
{
    if (typed != TextEncoding::ShiftJis) {
        const std::optional<platform::CodeSet> target = CodeSetOf(encoding);
        if (!target || encoding == typed)
            return std::string(text);
        if (typed == TextEncoding::Utf8 && encoding == TextEncoding::ShiftJis)
            return platform::ConvertText(InCodePage932Points(text), platform::CodeSet::Utf8, *target);
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
