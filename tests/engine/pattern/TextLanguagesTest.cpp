#include <gtest/gtest.h>

#include "engine/pattern/EscapeSequences.h"
#include "engine/pattern/RegexQuoting.h"
#include "engine/pattern/ReplacementTemplate.h"

namespace {

struct Case {
    const char* input;
    std::string expected;
};

}  // namespace

TEST(EscapeSequences, FindText)
{
    using Alternatives = std::vector<std::string>;
    const struct {
        const char* input;
        Alternatives expected;
    } cases[] = {
        {"a\\nb", {"a\r\nb"}},
        {"\\t\\u\\m", {"\t\n\r"}},
        {"\\\\t", {"\\t"}},                     // a doubled backslash never starts a sequence
        {"\\\\\\n", {"\\\r\n"}},
        {"\\\\\\\\", {"\\\\"}},
        {"\\x\\q\\", {"\\x\\q\\"}},             // unknown sequences stay as written
        {"x\\|y", {"x", "y"}},
        {"\\|", {"", ""}},
        {"\\\\|", {"\\|"}},
        {"\x95\x5Cn", {"\x95\x5Cn"}},           // the backslash is a second byte
        {"\x95\x5C\\n", {"\x95\x5C\r\n"}},
        {"\x95\x5C\\|x", {"\x95\x5C", "x"}},
        {"\x7F", {"\x7F"}},                       // every byte is itself: DEL and SUB too
        {"\x7F\\\\n\x7F", {"\x7F\\n\x7F"}},
        {"a\x1A" "b", {"a\x1A" "b"}},
        {"", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeFindEscapes(c.input), c.expected) << c.input;
}

TEST(EscapeSequences, ReplaceTextKeepsTheBar)
{
    const Case cases[] = {
        {"x\\|y", "x\\|y"},
        {"a\\nb\\tc", "a\r\nb\tc"},
        {"\\\\n", "\\n"},
        {"\x83\x5C\\u", "\x83\x5C\n"},
        {"\x7F\\\\\x7F", "\x7F\\\x7F"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeReplaceEscapes(c.input), c.expected) << c.input;
}

TEST(RegexQuoting, EscapesEachSlashOnce)
{
    const Case cases[] = {
        {"a/b", "a\\/b"},
        {"a\\/b", "a\\/b"},
        {"\\\\/", "\\\\\\/"},
        {"/home/a", "\\/home\\/a"},
        {"\\/x", "\\/x"},
        {"\\d+\\.", "\\d+\\."},
        {"\x95\x5C/", "\x95\x5C\\/"},         // 0x5C of the double-byte character escapes nothing
        {"", ""},
        {"a\\\x7F/b", "a\\\x7F\\/b"},     // 0x7F is a byte like any other: the slash stays escaped
        {"\x7F\\/", "\x7F\\/"},
        {"\\\x7F", "\\\x7F"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteRegexText(c.input), c.expected) << c.input;
}

namespace {

using Marker = ReplacementTemplate::Marker;

struct TemplateCase {
    const char* input;
    std::string text;
    std::vector<Marker> markers;
};

}  // namespace

TEST(ReplacementTemplate, Reading)
{
    const TemplateCase cases[] = {
        {"$1-$0", "-", {{0, 1}, {1, 0}}},
        {"$12", "2", {{0, 1}}},
        {"$$", "$", {}},
        {"$a$\x83\x41", "a\x83\x41", {}},
        {"$\\n", "\\n", {}},
        {"\\n\\r\\t\\f\\e\\a", "\n\r\t\f\x1B\a", {}},
        {"\\x41", "A", {}},
        {"\\x4z", std::string("\x04z"), {}},
        {"\\xz", std::string("\0z", 2), {}},
        {"\\x414", "A4", {}},
        {"\\101", "A", {}},
        {"\\1012", "A2", {}},
        {"\\777", "\xFF", {}},
        {"\\8", "8", {}},
        {"\\\\\\$", "\\$", {}},
        {"\\\x83\x41", "\x83\x41", {}},       // lead byte alone, then its second byte
        {"\x95\x5C$1", "\x95\x5C", {{2, 1}}}, // the 0x5C of a character is not an escape
        {"ab\\", "ab", {}},                   // a lone backslash at the end ends the template
        {"ab$", "ab", {}},
        {"x\x83", "x\x83", {}},
    };
    for (const TemplateCase& c : cases) {
        const ReplacementTemplate t = BuildReplacementTemplate(c.input);
        EXPECT_EQ(t.Text, c.text) << c.input;
        EXPECT_EQ(t.Markers, c.markers) << c.input;
    }
}

// A text typed in UTF-8 is read by UTF-8's characters: the last byte of あ (E3 81 82) read
// as Shift-JIS would begin a pair with the backslash after it.
TEST(TypedInUtf8, SequencesQuotingAndTemplatesReadUtf8Characters)
{
    const std::string a = "\xE3\x81\x82";  // あ
    EXPECT_EQ(DecodeFindEscapes(a + "\\n" + a + "\\|x", TextEncoding::Utf8), (std::vector<std::string>{a + "\r\n" + a, "x"}));
    EXPECT_EQ(DecodeReplaceEscapes(a + "\\t", TextEncoding::Utf8), a + "\t");
    EXPECT_EQ(QuoteRegexText(a + "/", TextEncoding::Utf8), a + "\\/");
    const ReplacementTemplate typed = BuildReplacementTemplate(a + "$1", TextEncoding::Utf8);
    EXPECT_EQ(typed.Text, a);
    ASSERT_EQ(typed.Markers.size(), 1u);
    EXPECT_EQ(typed.Markers[0].Group, 1);
    // Read as Shift-JIS, the same bytes hide the sequence.
    EXPECT_EQ(DecodeReplaceEscapes(a + "\\t"), a + "\\t");
}
