// Where our own matcher and Oniguruma could part: each row is searched through a handle
// that takes our matcher and one that uses Oniguruma alone, and both must find what the
// row says. Matches are listed as the program's onward search finds them (each search
// given the text after the last match), substitutions as count and new text.
#include <gtest/gtest.h>

#include "tests/bregexp/RegexDifferential.h"
#include "tests/bregexp/RegexSession.h"

namespace {

struct Row {
    const char* command;
    std::string text;
    std::string found;
};

void Check(const Row& row)
{
    SCOPED_TRACE(std::string(row.command) + " over " + Hex(row.text));
    RegexSession session(row.text);
    if (row.command[0] == 's')
        session.Subst(row.command);
    else
        session.Match(row.command);
    EXPECT_TRUE(TakenByOwnMatcher(session.Handle())) << "left to Oniguruma";
    EXPECT_EQ(Findings(row.command, row.text, false), row.found);
    EXPECT_EQ(Findings(row.command, row.text, true), row.found) << "Oniguruma alone";
}

}  // namespace

TEST(OwnMatcher, EmptyMatchesAndWhereTheNextSearchStarts)
{
    const Row rows[] = {
        {"s/x*/-/g", "abc", "4:-a-b-c-"},
        {"s/a*?/-/g", "baa", "4:-b-a-a-"},  // lazy: every match is empty
        {"s/\\b/|/g", "ab cd", "4:|ab| |cd|"},
        {"s/(a|b)*/<$1>/g", "abc", "3:<b><>c<>"},  // the group keeps its last round
        {"s/a|/-/g", "bab", "4:-b--b-"},  // an empty match may follow right after a match
        {"/x*/", "ab", "[0-0] [1-1]"},     // the program's search stops once a step reaches the end
        {"/^a/", "aaa", "[0-1] [1-2] [2-3]"},  // each search of the program begins a text of its own
        {"/(a)|b/", "ba", "[0-1|-] [1-2|1-2]"},
    };
    for (const Row& row : rows)
        Check(row);
}

TEST(OwnMatcher, LineEndsBeforeLfOnly)
{
    const Row rows[] = {
        {"/a$/", "a\n", "[0-1]"},    // $ before a final newline
        {"/a$/", "a\r\n", ""},       // but not before CR LF
        {"/a\\r$/", "a\r\n", "[0-2]"},
        {"/a\\z/", "a\n", ""},
        {"/a\\Z/", "a\n", "[0-1]"},
        {"/a$/m", "a\r\nb", ""},
        {"/a\\r?$/m", "xa\r\n", "[1-3]"},
        {"s/$/!/mg", "a\r\nb", "2:a\r!\nb!"},
        {"s/$/!/mg", "a\nb\n", "3:a!\nb!\n!"},  // also after the last newline
        {"s/^/>/mg", "a\nb\n", "2:>a\n>b\n"},  // but no line begins at the very end
        {"s/$/!/g", "a\nb\n", "2:a\nb!\n!"},
    };
    for (const Row& row : rows)
        Check(row);
}

TEST(OwnMatcher, CaseFoldsAsciiLettersOnly)
{
    const Row rows[] = {
        {"/[a-z]+/i", "xABC", "[0-4]"},
        {"/[^a-z]/i", "aB1", "[2-3]"},
        {"/\x82\x81/ki", "\x82\x60\x82\x81", "[2-4]"},                 // ａ is not Ａ
        {"/\xEF\xBD\x81/ui", "\xEF\xBC\xA1\xEF\xBD\x81", "[3-6]"},     // nor in UTF-8
        {"/k/ui", "\xE2\x84\xAAk", "[3-4]"},                           // the Kelvin sign is no k
        {"/s+/ui", "\xC5\xBFsS", "[2-4]"},                             // nor is the long s an s
        {"/\xC3\xA9/ui", "\xC3\x89\xC3\xA9", "[2-4]"},                 // É is not é
        {"/\xA3\xE1/ji", "\xA3\xC1\xA3\xE1", "[2-4]"},                 // ａ in EUC-JP
    };
    for (const Row& row : rows)
        Check(row);
}

TEST(OwnMatcher, WordBoundariesBesideDoubleByteCharacters)
{
    const Row rows[] = {
        {"/\\bA/k", "\x83\x41" "A", ""},        // ア is a word character: no boundary before A
        {"/\\bA/k", "\x81\x42" "A", ""},        // so is 。 in Shift-JIS
        {"/\\bA/u", "\xE3\x80\x82" "A", "[3-4]"},  // but not in UTF-8
        {"/\\bA/j", "\xA1\xA3" "A", ""},
        {"/\\bA/k", "\xB1" "A", "[1-2]"},       // a half-width katakana is none
        {"/\\w/k", "\xB1\x83\x41", "[1-3]"},
        {"/\\bA/", "\x83\x41" "A", "[1-2] [2-3]"},  // read byte by byte, 0x83 is none
        {"/\\B\x83\x41/k", "a\x83\x41", "[1-3]"},
        {"/\x83\x41\\b/k", "\x83\x41 ", "[0-2]"},
    };
    for (const Row& row : rows)
        Check(row);
}

TEST(OwnMatcher, SecondBytesAreNeverAStart)
{
    const Row rows[] = {
        {"/A/k", "\x83\x41" "A", "[2-3]"},
        {"/\\\\/k", "\x95\x5C\\", "[2-3]"},
        {"/[\\\\A]+/k", "\x95\x5C" "A\\", "[2-4]"},
        {"/./k", "\x95\x5C", "[0-2]"},
        {"/A/j", "\xA5\xA2" "A", "[2-3]"},
        {"/(\x95\x5C|A)+/k", "\x95\x5C" "A\x95\x5C", "[0-5|3-5]"},
    };
    for (const Row& row : rows)
        Check(row);
}

// A match that begins where one of its leading texts was found takes that text's steps at
// once: the groups opened or closed inside it, a text that ends in a loop or a choice, and
// texts that share a first byte (whose steps are taken one by one) must all come out alike.
TEST(OwnMatcher, StepsAlongAFoundTextSetTheirGroups)
{
    const Row rows[] = {
        {"s/(foo|bar)([0-9]*)/<$1>/g", "foo12 bar baz foo", "3:<foo> <bar> baz <foo>"},
        {"/(f)(o)(o)x|b(a)r/", "zfoox bar", "[1-5|1-2|2-3|3-4|-] [6-9|-|-|-|7-8]"},
        {"/a(b(c)d)e(f)g(h)i/", "xabcdefghi", "[1-10|2-5|3-4|6-7|8-9]"},
        {"/fo+x|bat/", "fox foooox fo bat", "[0-3] [4-10] [14-17]"},
        {"/a(b|c)d/", "acd abd", "[0-3|1-2] [4-7|5-6]"},
        {"/(a)(b|c)|d/", "ac d ab", "[0-2|0-1|1-2] [3-4|-|-] [5-7|5-6|6-7]"},
        {"/\\\\x(y)/k", "\\\\x\\" "xy", "[3-6|5-6]"},
    };
    for (const Row& row : rows)
        Check(row);
}

// Text that is not well-formed in its encoding is searched by Oniguruma, whose reading of
// it our matcher does not follow; both handles must still agree.
TEST(OwnMatcher, BytesThatFormNoCharacterAreLeftToOniguruma)
{
    const Row rows[] = {
        {"/\\nfoo/k", "\x83\nfoo", ""},
        {"/o+/k", "fo\x83\x0Aoo", "[1-2] [4-6]"},
        {"/a/u", "\x80" "a", "[1-2]"},
        {"/a./j", "a\xA4" "b", "[0-2]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.command) + " over " + Hex(row.text));
        EXPECT_EQ(Findings(row.command, row.text, false), Findings(row.command, row.text, true));
    }
}

// Our matcher never backtracks: a long match is no runaway search for it, where Oniguruma
// runs out of its backtracking stack. A search that tries every place of a long run is
// left to Oniguruma, whose answer it then is.
TEST(OwnMatcher, LongMatchesPassOnigurumasLimits)
{
    std::string line;
    for (int i = 0; i < 10 << 20; ++i)
        line += "ab";
    RegexSession own(line + "c");
    ASSERT_EQ(own.Match("/(a|b)*c/"), 1);
    EXPECT_TRUE(TakenByOwnMatcher(own.Handle()));
    EXPECT_EQ(own.GroupOffset(0), 0);
    EXPECT_EQ(own.Group(1), "b");
    EXPECT_EQ(Findings("/(a|b)*c/", line + "c", true), "-4");

    RegexSession quadratic(std::string(1 << 16, 'a'));
    EXPECT_EQ(quadratic.Match("/a*b/"), 0);
}

// A text substituted in one call is read ahead in steps that grow; a first byte without its
// second, or a byte Oniguruma reads otherwise, anywhere ahead, still leaves what follows
// to Oniguruma's reading.
TEST(OwnMatcher, ATextSearchedAgainIsReadAheadAsOnigurumaReadsIt)
{
    std::string clean;
    while (clean.size() < (1200u << 10))
        clean += "\x8F\x5C\x8C\x8E" "foo12 \x95\x5C" "bar-7\x83\x5C\x83t\x83g baz7 ";
    const char* const command = "s/-|\\b([0-9]+|foo|bar)/<$1>/kg";
    for (const std::size_t broken : {std::size_t{0}, std::size_t{100}, std::size_t{5000}, std::size_t{70000},
                                     std::size_t{600000}}) {
        std::string text = clean;
        for (std::size_t at = broken; broken > 0 && at < text.size(); at += 9973)
            text.insert(at - at % 4, "\x80-");
        SCOPED_TRACE("no character from " + std::to_string(broken));
        const std::string own = Findings(command, text, false);
        EXPECT_TRUE(own == Findings(command, text, true));
        EXPECT_GT(own.size(), text.size() / 2);
    }
}
