#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bregexp/EntryPoints.h"
#include "bregexp/ErrorResult.h"
#include "tests/bregexp/RegexSession.h"

namespace {

// Takes the pieces of a substitution's new text that BSetOutput has handed to it; refuses
// the piece numbered `refuseAt` (from 1), if any.
struct Receiver {
    std::vector<std::string> Pieces;
    std::size_t RefuseAt = 0;

    static int BREGEXP_CALL Take(void* context, const char* data, std::size_t size)
    {
        auto& receiver = *static_cast<Receiver*>(context);
        receiver.Pieces.emplace_back(data, size);
        return receiver.Pieces.size() == receiver.RefuseAt ? 0 : 1;
    }

    std::string Text() const
    {
        std::string text;
        for (const std::string& piece : Pieces)
            text += piece;
        return text;
    }
};

struct SubstCase {
    const char* command;
    std::string text;
    int result;
    std::string output;  // when result > 0
};

// Each case both ways: the new text kept in the handle, and handed over as it is made.
void Check(const SubstCase& c)
{
    RegexSession session(c.text);
    const int result = session.Subst(c.command);
    EXPECT_EQ(result, c.result) << c.command << " over " << Hex(c.text) << ": " << session.Message();
    if (result > 0) {
        EXPECT_EQ(Hex(session.Output()), Hex(c.output)) << c.command << " over " << Hex(c.text);
    }

    RegexSession handingOver(c.text);
    Receiver receiver;
    ASSERT_EQ(BSetOutput(handingOver.HandleVariable(), Receiver::Take, &receiver), 0);
    EXPECT_EQ(handingOver.Subst(c.command), c.result) << c.command << " handed over";
    EXPECT_EQ(Hex(receiver.Text()), Hex(result > 0 ? c.output : std::string())) << c.command << " handed over";
    EXPECT_EQ(handingOver.Handle()->OutputStart, nullptr);
}

}  // namespace

TEST(BSubst, GlobalAndFirstOnly)
{
    const SubstCase cases[] = {
        {"s/b(.)d/[$1]/g", "abcdebxd", 2, "a[c]e[x]"},
        {"s/a/x/", "aaa", 1, "xaa"},
        {"s/a/x/g", "aaa", 3, "xxx"},
        {"s/a/x/g", "bbb", 0, ""},
        {"s/.*//", "abc", 1, ""},
        {"s/a\\/b/x\\/y/g", "a/b a/b", 2, "x/y x/y"},  // slashes as the program escapes them
        {"s/\\r$//gm", "a\r\nb\r\n", 2, "a\nb\n"},
        {"s/a$/X/gm", "a\r\na\n", 1, "a\r\nX\n"},
        {"s/\\n/\\r\\n/g", "a\nb\n", 2, "a\r\nb\r\n"},
        {"s/b/X/g", std::string("b\0b", 3), 2, std::string("X\0X", 3)},
    };
    for (const SubstCase& c : cases)
        Check(c);
}

TEST(BSubst, EmptyMatchesStepOneCharacter)
{
    const SubstCase cases[] = {
        {"s/x*/-/g", "abc", 4, "-a-b-c-"},
        {"s/b*/-/g", "abc", 4, "-a--c-"},  // an empty match right after a match counts
        {"s/x*/-/", "abc", 1, "-abc"},
        {"s/x*/-/g", "", 1, "-"},
        {"s/x*/-/gk", "\x83\x41\x83\x43", 3, "-\x83\x41-\x83\x43-"},   // アイ: never between the bytes
        {"s/x*/-/g", "\x83\x41\x83\x43", 5, "-\x83-\x41-\x83-\x43-"},  // without k they are bytes
        {"s/\\b/|/gk", "a\x83\x41", 2, "|a\x83\x41|"},      // ア is a word character under k
        {"s/\\b/|/g", "a\x83\x41", 4, "|a|\x83|\x41|"},
        {"s/x*/-/gk", "a\x81", 2, "-a-\x81"},  // a lone lead byte at the end is kept as it was
        {"s/$/!/gk", "a\x81", 1, "a!\x81"},
    };
    for (const SubstCase& c : cases)
        Check(c);
}

TEST(BSubst, TheTextStartStaysFixed)
{
    const SubstCase cases[] = {
        {"s/(?<=a)b/X/g", "abab", 2, "aXaX"},  // lookbehind sees the text before each search start
        {"s/^a/X/g", "aaa", 1, "Xaa"},
        {"s/^a/X/gm", "a\na", 2, "X\nX"},
        {"s/\\Ga/X/g", "aab", 2, "XXb"},
        {"s/(?<=\\Ka)b/X/g", "abab", 2, "XX"},  // \K in a lookbehind moves the start back
        {"s/(?<=\\Kb)b/X/g", "abbb", 2, "aXX"},  // but never before the search start
    };
    for (const SubstCase& c : cases)
        Check(c);
}

TEST(BSubst, ReplacementSyntax)
{
    const SubstCase cases[] = {
        {"s/(a)(b)/$2$1/", "ab", 1, "ba"},
        {"s/(a)(b)/\\2\\1/", "ab", 1, "ba"},
        {"s/b/[$&][$0]/", "abc", 1, "a[b][b]c"},
        {"s/b/\\n\\r\\t/", "abc", 1, "a\n\r\tc"},
        {"s/b/\\\\\\$\\//", "abc", 1, "a\\$/c"},
        {"s/b/$x\\q\\0/", "abc", 1, "a$x\\q\\0c"},
        {"s/b/x$/", "abc", 1, "ax$c"},
        {"s/b/x\\\\/", "abc", 1, "ax\\c"},
        {"s/(b)/$12/", "abc", 1, "ab2c"},
        {"s/(b)/$$1/", "abc", 1, "a$bc"},
        {"s/b/<$5>/", "abc", 1, "a<>c"},         // a group the expression does not have
        {"s/(x)?b/<$1>/", "abc", 1, "a<>c"},     // a group that took no part
        {"s/(a)/\x95\x5C" "1/", "a", 1, "\x95\x5C" "1"},  // 表1: the second byte escapes nothing
        {"s/(a)/\x95\x5C$1/", "a", 1, "\x95\x5C" "a"},
        {"s/a/\x95\x5C\\//", "a", 1, "\x95\x5C/"},
        {"s/(a)/\\\x95\x5Cn/", "a", 1, "\\\x95\x5Cn"},  // a backslash before a double-byte character
        {"s/(a)/\x83\x24" "1/", "a", 1, "\x83\x24" "1"},  // a second byte 0x24 is no $
        {"s/(\x83\x41)/$1$1/k", "\x83\x41", 1, "\x83\x41\x83\x41"},
        {"s/(?<n>a)/[\\1]/", "a", 1, "[a]"},
    };
    for (const SubstCase& c : cases)
        Check(c);
}

TEST(BSubst, OutputIsOwnedByTheHandle)
{
    RegexSession session("one two");
    ASSERT_EQ(session.Subst("s/o/0/g"), 2);
    const RegexHandle* handle = session.Handle();
    EXPECT_EQ(std::string(handle->OutputStart, handle->OutputEnd), "0ne tw0");
    session.SetText("zzz");  // the output does not depend on the caller's text any more
    EXPECT_EQ(session.Output(), "0ne tw0");
    ASSERT_EQ(session.Subst("s/z/y/"), 1);
    EXPECT_EQ(session.Output(), "yzz");
}

TEST(BSetOutput, HandsALargeTextOverInFewPieces)
{
    std::string text;
    std::string expected;
    for (int line = 0; line < 20000; ++line) {
        const std::string number = std::to_string(line);
        text.append("item ").append(number).append("\r\n");
        expected.append(1, '[').append(number).append("]\r\n");
    }
    RegexSession session(text);
    Receiver receiver;
    ASSERT_EQ(BSetOutput(session.HandleVariable(), Receiver::Take, &receiver), 0);
    ASSERT_EQ(session.Subst("s/item (\\d+)/[$1]/g"), 20000);
    EXPECT_TRUE(receiver.Text() == expected);
    EXPECT_LE(receiver.Pieces.size(), expected.size() / (32 * 1024) + 1);
    // The same handle keeps handing over; without a receiver it keeps the text again.
    receiver.Pieces.clear();
    ASSERT_EQ(session.Subst("s/item (\\d+)/[$1]/g"), 20000);
    EXPECT_TRUE(receiver.Text() == expected);
    ASSERT_EQ(BSetOutput(session.HandleVariable(), nullptr, nullptr), 0);
    ASSERT_EQ(session.Subst("s/item (\\d+)/[$1]/g"), 20000);
    EXPECT_TRUE(session.Output() == expected);
}

TEST(BSetOutput, ARefusedPieceStopsTheSubstitution)
{
    const std::string text(300 * 1024, 'a');
    RegexSession session(text);
    Receiver receiver;
    receiver.RefuseAt = 2;
    ASSERT_EQ(BSetOutput(session.HandleVariable(), Receiver::Take, &receiver), 0);
    EXPECT_EQ(session.Subst("s/a/bb/g"), bregexp::OutputRefused);
    EXPECT_EQ(receiver.Pieces.size(), 2u);
    EXPECT_STRNE(session.Message(), "");
    ASSERT_NE(session.Handle(), nullptr);
    EXPECT_EQ(session.Handle()->GroupStarts[0], nullptr);
}

TEST(BSetOutput, TheHandleItMakesFollowsTheRulesOfAnyOther)
{
    RegexSession session("abc");
    Receiver receiver;
    EXPECT_EQ(BSetOutput(nullptr, Receiver::Take, &receiver), bregexp::InvalidArguments);
    ASSERT_EQ(BSetOutput(session.HandleVariable(), Receiver::Take, &receiver), 0);
    ASSERT_NE(session.Handle(), nullptr);
    // Still empty: the first call compiles its command into it, a rejected one frees it.
    EXPECT_EQ(session.Subst("s/(/x/g"), bregexp::RejectedExpression);
    EXPECT_EQ(session.Handle(), nullptr);
    ASSERT_EQ(BSetOutput(session.HandleVariable(), Receiver::Take, &receiver), 0);
    EXPECT_EQ(session.Match("/b/"), 1);
    EXPECT_EQ(*session.Group(0), "b");
    EXPECT_TRUE(receiver.Pieces.empty());
}

// Oniguruma reports group 1 of (o|\w?){2} after a word character as ending before it
// begins; a substitution once tried to copy that span and threw out of the library.
TEST(BSubst, AGroupEndingBeforeItBeginsTakesNoPart)
{
    RegexSession session("\x81\x42");
    ASSERT_EQ(session.Subst("s/(o|\\w?){2}\x81\x42/[$1]/k"), 1) << session.Message();
    EXPECT_EQ(session.Output(), "[]");
    ASSERT_EQ(session.Match("/(o|\\w?){2}\x81\x42/k"), 1);
    EXPECT_EQ(session.Group(1), std::nullopt);
}
