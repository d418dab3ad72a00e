#include "bregexp/LiteralPrefixes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/DoubleByte.h"
#include "tests/bregexp/MatchStarts.h"

using bregexp::LiteralPrefixes;
using bregexp::Modifiers;

namespace {

using Texts = std::vector<std::string>;

// The texts found, or {"none"} when the search is left to Oniguruma.
Texts Found(const char* expression, Modifiers modifiers = {})
{
    const auto prefixes = LiteralPrefixes::Of(expression, modifiers);
    return prefixes ? prefixes->Texts() : Texts{"none"};
}

}  // namespace

TEST(LiteralPrefixes, FoundWhereEveryMatchBeginsWithAKnownText)
{
    const struct {
        const char* expression;
        Texts texts;
    } cases[] = {
        {"foo", {"foo"}},
        {"(foo|bar)([0-9]*)", {"bar", "foo"}},
        {"(?:ab|cd)(ef|g)", {"abef", "abg", "cdef", "cdg"}},
        {"(?<word>fo+)x", {"fo"}},
        {"foo\\d+|ba\\.r", {"ba.r", "foo"}},
        {"^foo$", {"foo"}},
        {"\\bid\\b", {"id"}},
        {"a{2}b", {"a"}},
        {"ab{1}c", {"abc"}},
        {"x[ab]y", {"x"}},
        {"foo|foobar", {"foo"}},
        {"a\\nb", {"a\nb"}},
        {"\\(x\\)", {"(x)"}},
        {"a.c", {"a"}},
        // Any match may begin otherwise, or the syntax is beyond what is read here.
        {"a*b", {"none"}},
        {"(foo)?bar", {"none"}},
        {"a{0,2}b", {"none"}},
        {"foo|", {"none"}},
        {"[ab]c", {"none"}},
        {".foo", {"none"}},
        {"\\Gfoo", {"none"}},
        {"(?i)foo", {"none"}},
        {"(?=f)foo", {"none"}},
        {"(?<=a)b", {"none"}},
        {"(foo)\\1", {"none"}},
        {"\\x66oo", {"none"}},
        {"\x95\x5C", {"none"}},
        {"a{,2}", {"none"}},
        {"a{2}+", {"none"}},
        {"[[:alpha:]]x", {"none"}},
        {"[a&&b]x", {"none"}},
        {"a]", {"none"}},
        {"a)", {"none"}},
        {"a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q", {"none"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Found(c.expression), c.texts) << c.expression;
    EXPECT_EQ(Found("foo", {.IgnoreCase = true}), Texts{"none"});
    EXPECT_EQ(Found("foo", {.Kanji = true, .Multiline = true}), Texts{"foo"});
}

TEST(LiteralPrefixes, UnderKNeverAtASecondByte)
{
    const auto prefixes = LiteralPrefixes::Of("ab", {.Kanji = true});
    ASSERT_TRUE(prefixes);
    // ア is 0x83 0x41; 0x83 0x61 is a character whose second byte is "a".
    const std::string text = "\x83" "ab \x83\x41" "ab";
    const char* start = text.data();
    EXPECT_EQ(prefixes->Next(start, start + text.size()), start + 6);
    EXPECT_EQ(prefixes->Next(start, start + 7), nullptr);
    const auto bytes = LiteralPrefixes::Of("ab", {});
    EXPECT_EQ(bytes->Next(start, start + text.size()), start + 1);
}

namespace {

// Random expressions, mostly of the syntax that is read, over a few letters.
class ExpressionMaker {
public:
    explicit ExpressionMaker(std::mt19937& random) : random_(random) {}

    std::string Alternatives(int depth)
    {
        std::string text = Sequence(depth);
        while (Chance(4))
            text.append(1, '|').append(Sequence(depth));
        return text;
    }

private:
    bool Chance(unsigned in) { return random_() % in == 0; }

    std::string Sequence(int depth)
    {
        std::string text;
        const unsigned length = random_() % 4;
        for (unsigned i = 0; i < length; ++i)
            text += Item(depth);
        return text;
    }

    std::string Item(int depth)
    {
        static const char* const atoms[] = {"a", "b", "c", "a", "b", ".", "\\d", "\\w", "[ab]", "[^a]", "\\n",
                                            "\\.", " ", "\\s", "(?=a)", "\\1", "\\Ga"};
        static const char* const zeroWidth[] = {"^", "$", "\\b", "\\B"};
        static const char* const quantifiers[] = {"*", "+", "?", "{2}", "{1,2}", "{0,1}", "+?", "*+", "{1,}"};
        if (Chance(8))
            return zeroWidth[random_() % std::size(zeroWidth)];
        std::string item;
        if (depth > 0 && Chance(4)) {
            static const char* const opens[] = {"(", "(?:", "(?<n>"};
            item.append(opens[random_() % std::size(opens)]).append(Alternatives(depth - 1)).append(1, ')');
        } else {
            item = atoms[random_() % std::size(atoms)];
        }
        if (Chance(3))
            item += quantifiers[random_() % std::size(quantifiers)];
        return item;
    }

    std::mt19937& random_;
};

std::string RandomText(std::mt19937& random)
{
    static const char* const pieces[] = {"a", "b", "c", "ab", "\n", " ", "1", ".", "\x83" "a", "\x83\x41"};
    std::string text;
    const unsigned length = random() % 24;
    for (unsigned i = 0; i < length; ++i)
        text += pieces[random() % std::size(pieces)];
    return text;
}

}  // namespace

// Wherever Oniguruma finds a match, one of the texts stands: a search that skips to them
// never misses a match.
TEST(LiteralPrefixes, EveryMatchOnigurumaFindsBeginsWithOne)
{
    std::mt19937 random(20250611);
    ExpressionMaker make(random);
    int checked = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string expression = make.Alternatives(2);
        const Modifiers modifiers{.Kanji = (random() & 1) != 0, .Multiline = (random() & 1) != 0};
        const auto prefixes = LiteralPrefixes::Of(expression, modifiers);
        const MatchStarts starts(expression, modifiers);
        if (!prefixes || !starts.Compiled())
            continue;
        for (int sample = 0; sample < 8; ++sample) {
            const std::string text = RandomText(random);
            const char* start = text.data();
            const char* end = start + text.size();
            const std::vector<std::size_t> matches = starts.In(text);
            for (const std::size_t at : matches) {
                ++checked;
                ASSERT_EQ(prefixes->Next(start + at, end), start + at)
                    << expression << " over " << text << " at " << at;
            }
            // A search skips to where Oniguruma would look, never into a character.
            const char* next = prefixes->Next(start, end);
            const char* frontier = start;
            if (next && modifiers.Kanji) {
                ASSERT_TRUE(AdvanceToCharacterStart(frontier, next)) << expression << " over " << text;
            }
            if (!matches.empty()) {
                ASSERT_TRUE(next && next <= start + matches.front()) << expression << " over " << text;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}
