#include <gtest/gtest.h>

#include "bregexp/ErrorResult.h"
#include "tests/bregexp/RegexSession.h"

namespace {

struct MatchCase {
    const char* command;
    std::string text;
    int result;
    std::string match;           // group 0 when found
    std::ptrdiff_t offset = -1;  // where group 0 starts, when it matters
};

void Check(const MatchCase& c)
{
    RegexSession session(c.text);
    const int result = session.Match(c.command);
    EXPECT_EQ(result, c.result) << c.command << " over " << Hex(c.text) << ": " << session.Message();
    if (result != 1)
        return;
    EXPECT_EQ(session.Group(0), c.match) << c.command << " over " << Hex(c.text);
    if (c.offset >= 0) {
        EXPECT_EQ(session.GroupOffset(0), c.offset) << c.command << " over " << Hex(c.text);
    }
}

}  // namespace

TEST(BMatch, AnchorsLinesAndCase)
{
    const MatchCase cases[] = {
        {"/^b/", "a\nb", 0, ""},
        {"/^b/m", "a\nb", 1, "b", 2},
        {"/a$/", "a\n", 1, "a", 0},  // $ also before a final newline
        {"/a$/", "a\nb", 0, ""},
        {"/a$/m", "a\nb", 1, "a", 0},
        {"/a$/m", "a\r\nb", 0, ""},  // lines end at LF: in CR LF text $ stands after the CR
        {"/a\\r$/m", "a\r\nb", 1, "a\r", 0},
        {"/a\\r?$/m", "xa\r\n", 1, "a\r", 1},
        {"/^b/m", "a\r\nb", 1, "b", 3},
        {"/a$/", "a\r\n", 0, ""},
        {"/a.b/", "a\nb", 0, ""},   // . never takes a newline
        {"/a.b/m", "a\nb", 0, ""},  // m is not Oniguruma's dot-all
        {"/a.b/", "a\rb", 1, "a\rb"},
        {"/abc/", "xABC", 0, ""},
        {"/abc/i", "xABC", 1, "ABC", 1},
        {"/ABC/xyi", "abc", 1, "abc"},  // unknown letters are ignored
        {"//", "abc", 1, "", 0},
        {"/b/", std::string("a\0b", 3), 1, "b", 2},  // NUL bytes are text
        {"/a.b/", std::string("a\0b", 3), 1, std::string("a\0b", 3)},
        {"/\\x00/", std::string("a\0", 2), 1, std::string(1, '\0'), 1},
    };
    for (const MatchCase& c : cases)
        Check(c);
}

TEST(BMatch, DoubleByteCharactersWithAndWithoutK)
{
    const MatchCase cases[] = {
        {"/A/", "\x83\x41", 1, "A", 1},  // ア: without k the text is bytes
        {"/A/k", "\x83\x41", 0, ""},
        {"/\\\\/", "\x95\x5C", 1, "\\", 1},  // 表
        {"/\\\\/k", "\x95\x5C", 0, ""},
        {"/./", "\x83\x5C", 1, "\x83", 0},  // ソ
        {"/./k", "\x83\x5C", 1, "\x83\x5C", 0},
        {"/.$/k", "a\x83\x5C", 1, "\x83\x5C", 1},
        {"/\x83\x5C/", "a\x83\x5C", 1, "\x83\x5C", 1},  // the expression's ソ is its two bytes
        {"/\x95\x5C/", "\x95\x5C", 1, "\x95\x5C"},
        {"/\x95\x5C/k", "\x95\x5C", 1, "\x95\x5C"},
        {"/\x81\x5B+/", "\x81\x5B\x81\x5B", 1, "\x81\x5B"},  // ー: + repeats its second byte
        {"/\x81\x5B+/k", "\x81\x5B\x81\x5B", 1, "\x81\x5B\x81\x5B"},
        {"/[\x95\x5C]/", "a\\", 1, "\\", 1},  // without k a class holds both bytes
        {"/[\x95\x5C]/k", "a\\", 0, ""},
        {"/[\x95\x5C]/k", "a\x95\x5C", 1, "\x95\x5C", 1},
        {"/\x83\x7C|x/", "\x83\x7C", 1, "\x83\x7C"},  // ポ: its second byte is no alternative
        {"/[^\x83\x7C]/", "\x83\x7C|", 0, ""},
        {"/\\\x95\x5C/", "\x95\x5C", 1, "\x95\x5C"},      // an escaped double-byte character
        {"/\\Q\x95\x5C" "E\\E/", "\x95\x5C" "E", 1, "\x95\x5C" "E"},  // 表E inside \Q...\E is no \E
        {"/\\Q\x81\x5B+\\E/", "\x81\x5B+", 1, "\x81\x5B+"},
        {"/\x83\x41/i", "\x83\x61", 1, "\x83\x61"},   // without k the second byte folds case
        {"/\x83\x41/ki", "\x83\x61", 0, ""},
        {"/\\x81/", "a\x81", 1, "\x81", 1},  // a lone lead byte at the end of the text
        {"/a./k", "a\x81", 0, ""},           // under k it is no character and never matched
        {"/a[^b]/k", "a\x81", 0, ""},
        {"/a$/k", "a\x81", 1, "a", 0},
        {"/./k", "\x83\n", 1, "\x83\n"},  // a lead byte always takes the next byte
    };
    for (const MatchCase& c : cases)
        Check(c);
}

TEST(BMatch, Groups)
{
    RegexSession session("abcde");
    ASSERT_EQ(session.Match("/b(.)d/"), 1);
    EXPECT_EQ(session.Handle()->GroupCount, 1);
    EXPECT_EQ(session.Group(0), "bcd");
    EXPECT_EQ(session.GroupOffset(0), 1);
    EXPECT_EQ(session.Group(1), "c");
    EXPECT_EQ(session.GroupOffset(1), 2);

    session.SetText("xb");
    ASSERT_EQ(session.Match("/(a)|(b)/"), 1);
    EXPECT_EQ(session.Handle()->GroupCount, 2);
    EXPECT_EQ(session.Group(1), std::nullopt);  // an unmatched group has both ends null
    EXPECT_EQ(session.Handle()->GroupEnds[1], nullptr);
    EXPECT_EQ(session.Group(2), "b");

    session.SetText("ab");
    ASSERT_EQ(session.Match("/(?<first>a)(b)/"), 1);  // numbered groups survive beside named ones
    EXPECT_EQ(session.Handle()->GroupCount, 2);
    EXPECT_EQ(session.Group(1), "a");
    EXPECT_EQ(session.Group(2), "b");

    ASSERT_EQ(session.Match("/x/"), 0);
    EXPECT_EQ(session.Handle()->GroupStarts[0], nullptr);
    EXPECT_EQ(session.Handle()->GroupCount, 0);
}

TEST(BMatch, SearchesOnlyFromTheGivenStart)
{
    // The program searches the rest of the text after each match: [pos, end) is the whole
    // target then, so ^ matches at pos.
    RegexSession session("abab");
    ASSERT_EQ(session.Match("/^ab/", 2), 1);
    EXPECT_EQ(session.GroupOffset(0), 2);
    EXPECT_EQ(session.Match("/(?<=b)a/", 2), 0);
    EXPECT_EQ(session.Match("/b/", 4), 0);
}

TEST(BMatch, FindsEachMatchAsTheProgramAsksForThem)
{
    RegexSession session("abcdebxd");
    std::string matches;
    int calls = 0;
    for (std::size_t pos = 0; session.Match("/b(.)d/", pos) == 1; ++calls) {
        matches += *session.Group(1);
        pos = session.Handle()->GroupEnds[0] - session.Text().data();
    }
    EXPECT_EQ(matches, "cx");
    EXPECT_EQ(calls, 2);
}

TEST(BMatch, KAtTheEndOfAShortTextReadsNothingBeyondIt)
{
    // The target ends inside a larger buffer: what follows must not become part of a match.
    const std::string buffer = "a\x81\x40zzz";
    RegexHandle* handle = nullptr;
    char message[RegexMessageSize];
    for (const char* command : {"/\x81\x40/k", "/a.+/k", "/\x81\x40/ki", "/a\\W/k"})
        EXPECT_EQ(LinkedEntryPoints().Match(command, buffer.data(), buffer.data() + 2, &handle, message), 0)
            << command;
    EXPECT_EQ(LinkedEntryPoints().Match("/a\\x81/", buffer.data(), buffer.data() + 2, &handle, message), 1);
    EXPECT_EQ(handle->GroupEnds[0], buffer.data() + 2);
    LinkedEntryPoints().Free(handle);
}

TEST(BMatch, UAndJReadWholeCharactersOfUtf8AndEucJp)
{
    const MatchCase cases[] = {
        {"/a/u", "\xE3\x81\x82" "a", 1, "a", 3},
        {"/./u", "\xE3\x81\x82", 1, "\xE3\x81\x82"},
        {"/\xE3\x81\x82+/u", "\xE3\x81\x82\xE3\x81\x82", 1, "\xE3\x81\x82\xE3\x81\x82"},  // + repeats あ
        {"/.$/u", "a\xE3\x81", 1, "a", 0},  // a character cut short at the end is not given
        {"/./j", "\x8F\xA2\xB7", 1, "\x8F\xA2\xB7"},  // JIS X 0212: three bytes
        {"/./j", "\x8E\xB1", 1, "\x8E\xB1"},           // half-width katakana: two
        {"/\xA2\xA4/j", "\xA4\xA2\xA4\xA4", 0, ""},  // the bytes of 「｢ across あい
        {"/\xA4\xA4/kj", "\xA4\xA2\xA4\xA4", 1, "\xA4\xA4", 2},  // j wins over k
        // With k too, a letter after a character whose last byte Shift-JIS would take for
        // a first byte is still found.
        {"/a/ku", "\xE3\x81\x82" "a", 1, "a", 3},
        {"/(foo|a)/ku", "\xE3\x81\x82" "a", 1, "a", 3},
        {"/a/kj", "\xC6\xFC" "a", 1, "a", 2},
        // Digits, white space and letter case are ASCII's in UTF-8 too, as in Shift-JIS.
        {"/\\d/u", "\xEF\xBC\x91", 0, ""},      // full-width 1
        {"/\\s/u", "\xE3\x80\x80", 0, ""},      // ideographic space
        {"/k/ui", "\xE2\x84\xAA", 0, ""},         // Kelvin sign
        {"/ss/ui", "\xC3\x9F", 0, ""},             // sharp s
        {"/\xEF\xBC\xA1/ui", "\xEF\xBD\x81", 0, ""},  // full-width A and a
        {"/K/ui", "\xE3\x81\x82k", 1, "k", 3},
    };
    for (const MatchCase& c : cases)
        Check(c);
}

// A text that is not well-formed in the encoding it is said to be in: Oniguruma takes a first
// byte for as many bytes as it announces, which can reach past the end of the target. Nothing
// the library reports or writes may.
TEST(BMatch, MalformedTextInUtf8OrEucJpNeverReachesPastItsEnd)
{
    RegexHandle* handle = nullptr;
    char message[RegexMessageSize];
    for (const std::string text : {"x\xE3" "a", "x\x8F" "a", "\x8F" "a\xA4\xA2\xA4", "x\xF0" "ab", "\xA4" "a"}) {
        const std::string buffer = text + "\x81\x82\xA1zz";  // the target ends inside it
        const char* start = buffer.data();
        const char* end = start + text.size();
        for (const char* command : {"/[^x]+/u", "/\\W+/j", "/.+/u", "/.+/j", "/\\S\\z/j"}) {
            if (LinkedEntryPoints().Match(command, start, end, &handle, message) == 1) {
                EXPECT_LE(handle->GroupEnds[0], end) << command << " over " << Hex(text);
            }
        }
        for (const char* command : {"s/[^x]+/<$&>/gu", "s/\\W+/<$&>/gj", "s/.//gu", "s/.//gj"}) {
            const int result = LinkedEntryPoints().Subst(command, start, end, &handle, message);
            EXPECT_GE(result, 0) << command << " over " << Hex(text);
            if (result > 0) {
                EXPECT_EQ(std::string(handle->OutputStart, handle->OutputEnd).find("\x81\x82"), std::string::npos)
                    << command << " over " << Hex(text);
            }
        }
    }
    LinkedEntryPoints().Free(handle);
}
