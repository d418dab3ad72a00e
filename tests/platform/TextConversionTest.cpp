#include "platform/TextConversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using platform::CodeSet;
using platform::ConvertShiftJis;
using platform::ConvertText;

// Both platforms' converters give the same bytes: those of iconv's CP932, UTF-8 and
// EUC-JP-MS. The IBM extensions that EUC-JP-MS alone puts in the user-defined rows of JIS X
// 0212 (髙, ⅰ) are left out: the code-page API cannot write them.
TEST(TextConversion, TheWholeOfCodePage932InUtf8AndEucJp)
{
    const struct {
        const char* what;
        std::string shiftJis;
        std::optional<std::string> utf8, eucJp;
    } cases[] = {
        {"nothing", "", "", ""},
        {"ASCII and hiragana", "a\x82\xA0", "a\xE3\x81\x82", "a\xA4\xA2"},
        {"half-width katakana", "\xB1", "\xEF\xBD\xB1", "\x8E\xB1"},
        {"a second byte 0x5C", "\x95\x5C", "\xE8\xA1\xA8", "\xC9\xBD"},
        {"wave dash as code page 932 maps it", "\x81\x60", "\xEF\xBD\x9E", "\xA1\xC1"},
        {"not sign", "\x81\xCA", "\xEF\xBF\xA2", "\xA2\xCC"},
        {"NEC special row", "\x87\x40\x87\x8A", "\xE2\x91\xA0\xE3\x88\xB1", "\xAD\xA1\xAD\xEA"},
        {"NEC-selected IBM extension, JIS X 0212", "\xED\x40", "\xE7\xBA\x8A", "\x8F\xD4\xE3"},
        {"IBM extension held by JIS X 0208", "\xFA\x5B", "\xE2\x88\xB5", "\xA2\xE8"},
        {"user-defined area", "\xF0\x40", "\xEE\x80\x80", "\xF5\xA1"},
        {"a lead byte cut short", "a\x82", std::nullopt, std::nullopt},
        {"a lead byte before ASCII", "\x82 ", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertShiftJis(c.shiftJis, CodeSet::Utf8), c.utf8) << c.what;
        EXPECT_EQ(ConvertShiftJis(c.shiftJis, CodeSet::EucJp), c.eucJp) << c.what;
        if (!c.utf8)
            continue;
        EXPECT_EQ(ConvertText(*c.eucJp, CodeSet::EucJp, CodeSet::Utf8), c.utf8) << c.what;
        EXPECT_EQ(ConvertText(*c.utf8, CodeSet::Utf8, CodeSet::EucJp), c.eucJp) << c.what;
    }
}

// Into code page 932: a character it holds twice (as an NEC and an IBM extension, or in
// JIS X 0208 too) takes the code page's own choice; one it does not hold is a failure.
TEST(TextConversion, IntoCodePage932)
{
    const struct {
        const char* what;
        std::string text;
        CodeSet source;
        std::optional<std::string> shiftJis;
    } cases[] = {
        {"㈱ ① ～ 髙", "\xE3\x88\xB1\xE2\x91\xA0\xEF\xBD\x9E\xE9\xAB\x99", CodeSet::Utf8,
         "\x87\x8A\x87\x40\x81\x60\xFB\xFC"},
        {"a second byte 0x5C, a backslash", "\xE8\xA1\xA8\\", CodeSet::Utf8, "\x95\x5C\\"},
        {"half-width katakana", "\xEF\xBD\xB1", CodeSet::Utf8, "\xB1"},
        {"纊: the IBM code", "\xE7\xBA\x8A", CodeSet::Utf8, "\xFA\x5C"},
        {"∵: the JIS X 0208 code", "\xE2\x88\xB5", CodeSet::Utf8, "\x81\xE6"},
        {"EUC-JP", "\xA4\xA2\xAD\xA1\x8E\xB1\xA1\xC1", CodeSet::EucJp, "\x82\xA0\x87\x40\xB1\x81\x60"},
        {"e with an acute accent, which code page 932 lacks", "\xC3\xA9", CodeSet::Utf8, std::nullopt},
        {"a character beyond the first plane", "\xF0\xA0\x80\x8B", CodeSet::Utf8, std::nullopt},
        {"malformed UTF-8", "a\xE3\x81", CodeSet::Utf8, std::nullopt},
        {"a lone EUC-JP first byte", "\xA4", CodeSet::EucJp, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertText(c.text, c.source, CodeSet::ShiftJis), c.shiftJis) << c.what;
        if (c.shiftJis && c.source == CodeSet::Utf8) {
            EXPECT_EQ(ConvertShiftJis(*c.shiftJis, CodeSet::Utf8), c.text) << c.what << ": round trip";
        }
    }
}

}  // namespace
