#include <gtest/gtest.h>

#include <cstring>

#include "bregexp/ErrorResult.h"
#include "bregexp/RegexCommand.h"
#include "tests/bregexp/RegexSession.h"

using namespace bregexp;

namespace {

struct CommandCase {
    const char* command;
    std::string expression;
    std::string replacement;
    const char* modifiers;  // the letters that came out set, in the order k m i g
};

std::string Letters(const Modifiers& m)
{
    return std::string(m.Kanji ? "k" : "") + (m.Multiline ? "m" : "") + (m.IgnoreCase ? "i" : "") +
           (m.Global ? "g" : "");
}

}  // namespace

TEST(RegexCommand, MatchCommands)
{
    const CommandCase cases[] = {
        {"/abc/", "abc", "", ""},
        {"//", "", "", ""},
        {"/a\\/b/", "a/b", "", ""},              // an escaped slash reaches Oniguruma as a slash
        {"/\\\\/", "\\\\", "", ""},              // a doubled backslash does not escape the delimiter
        {"/\\d+\\./i", "\\d+\\.", "", "i"},      // other escapes stay as written
        {"/a\x95\x5C/", "a\x95\x5C", "", ""},    // 0x5C of a double-byte character escapes nothing
        {"/\\\x95\x5C/", "\\\x95\x5C", "", ""},  // an escape takes the whole double-byte character
        {"/x/kmi", "x", "", "kmi"},
        {"/x/imk", "x", "", "kmi"},
        {"/x/gzq", "x", "", ""},                 // g means nothing to a match, unknown letters are ignored
        {"/x/\x83\x6B", "x", "", ""},            // ヌ: its second byte is no k
    };
    for (const CommandCase& c : cases) {
        const ParsedCommand parsed = ParseMatchCommand(c.command);
        ASSERT_EQ(parsed.Error, nullptr) << c.command;
        EXPECT_EQ(parsed.Command.Expression, c.expression) << c.command;
        EXPECT_EQ(Letters(parsed.Command.Options), c.modifiers) << c.command;
    }
}

TEST(RegexCommand, SubstituteCommands)
{
    const CommandCase cases[] = {
        {"s/a/b/", "a", "b", ""},
        {"s/a\\/b/x\\/y/mg", "a/b", "x\\/y", "mg"},  // the replacement keeps its escapes for the template
        {"s/a//g", "a", "", "g"},
        {"s/a/\\\\/", "a", "\\\\", ""},
        {"s/a/\x95\x5C/k", "a", "\x95\x5C", "k"},
        {"s/\x83\x5C/\x83\x5C\\//", "\x83\x5C", "\x83\x5C\\/", ""},
    };
    for (const CommandCase& c : cases) {
        const ParsedCommand parsed = ParseSubstituteCommand(c.command);
        ASSERT_EQ(parsed.Error, nullptr) << c.command;
        EXPECT_EQ(parsed.Command.Expression, c.expression) << c.command;
        EXPECT_EQ(parsed.Command.Replacement, c.replacement) << c.command;
        EXPECT_EQ(Letters(parsed.Command.Options), c.modifiers) << c.command;
    }
}

TEST(RegexCommand, MalformedCommands)
{
    for (const char* command : {"", "abc", "a/b/", "/abc", "/abc\\/", "/a\x95/", "/a\\", "s/a/b/"})
        EXPECT_NE(ParseMatchCommand(command).Error, nullptr) << command;
    for (const char* command : {"", "s", "s/", "s/a", "s/a/", "s/a/b", "s/a/b\\/", "/a/b/", "S/a/b/", "s/a/\x95/"})
        EXPECT_NE(ParseSubstituteCommand(command).Error, nullptr) << command;    // A slash taken as the second byte of a character the text was cut inside is said so.
    EXPECT_STREQ(ParseMatchCommand("/a\x95/").Error, "expression ends inside a double-byte character");
    EXPECT_STREQ(ParseMatchCommand("/abc\\/").Error, "expression has no closing /");
    EXPECT_STREQ(ParseSubstituteCommand("s/a/\x95/").Error, "replacement ends inside a double-byte character");
}

TEST(ErrorMessage, NeverTakesMoreThanTheBuffer)
{
    char buffer[RegexMessageSize + 16];
    const struct {
        std::string text;
        std::size_t written;
    } cases[] = {
        {"short", 5},
        {std::string(79, 'x'), 79},
        {std::string(200, 'x'), 79},
        {"a" + std::string(100, '\x95'), 79},  // 0x95 0x95 pairs: 'a' and 39 whole characters
        {std::string(100, '\x95'), 78},        // the 40th character would not fit whole
    };
    for (const auto& c : cases) {
        std::memset(buffer, 'Z', sizeof buffer);
        WriteMessage(buffer, c.text);
        EXPECT_EQ(std::strlen(buffer), c.written);
        EXPECT_EQ(std::string(buffer), c.text.substr(0, c.written));
        EXPECT_EQ(std::string(buffer + RegexMessageSize, 16), std::string(16, 'Z'));
    }
    WriteMessage(nullptr, "nothing to write into");
}
