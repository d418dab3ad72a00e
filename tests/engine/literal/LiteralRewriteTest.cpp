#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/pattern/EscapeSequences.h"
#include "engine/literal/LiteralChain.h"
#include "engine/literal/LiteralSearch.h"
#include "platform/DoubleByte.h"

namespace {

struct Rewrite {
    FileResult Count;
    std::string Text;
};

// Windows as small as a search allows and pieces of a few bytes, so that matches and
// characters cross the ends of both.
struct Cutting {
    std::size_t Window;
    std::size_t Piece;
};
constexpr Cutting Cuttings[] = {{1, 1}, {1, 3}, {9, 2}, {16, 7}, {150, 70}};

Rewrite Apply(const std::string& text, const std::string& find, const std::string& replace,
              PatternOptions options = 0)
{
    AbortFlag abort{false};
    const EncodedPattern pattern = EncodePattern({find, replace, options}, TextEncoding::ShiftJis);
    std::string rewritten;
    const FileResult count = RewriteLiteralText(abort, text, {&pattern}, rewritten);
    if (count == 0) {
        EXPECT_EQ(rewritten, "") << "a text without a replacement was handed on";
        rewritten = text;
    }
    for (const Cutting cutting : Cuttings) {
        std::string cut;
        const FileResult cutCount = RewriteLiteralText(abort, text, {&pattern}, cut, cutting.Window, cutting.Piece);
        EXPECT_EQ(cutCount, count) << "in windows of " << cutting.Window << ", pieces of " << cutting.Piece;
        EXPECT_EQ(count == 0 ? text : cut, rewritten)
            << "in windows of " << cutting.Window << ", pieces of " << cutting.Piece;
    }
    return {count, rewritten};
}

struct Case {
    const char* name;
    std::string text;
    std::string find;
    std::string replace;
    PatternOptions options;
    FileResult count;
    std::string result;
};

}  // namespace

TEST(LiteralRewrite, SearchSemantics)
{
    const Case cases[] = {
        {"non-overlapping", "aaa", "aa", "x", 0, 1, "xa"},
        {"alternatives in order", "abc", "a\\|b", "x", 0, 2, "xxc"},
        {"later alternative sees inserted text", "a", "a\\|x", "x", 0, 2, "x"},
        {"inserted text is not searched again in its pass", "aa", "a", "aa", 0, 2, "aaaa"},
        {"count is the sum over alternatives", "abab", "a\\|b\\|xx", "x", 0, 6, "xx"},
        {"empty alternative never matches", "abc", "\\|b\\|", "-", 0, 1, "a-c"},
        {"no match", "abc", "d", "x", 0, 0, "abc"},
        {"match at the end", "xyab", "ab", "!", 0, 1, "xy!"},
        {"alternative longer than the text", "ab", "abc", "!", 0, 0, "ab"},
        {"second byte never matches", "\x83\x41", "A", "x", 0, 0, "\x83\x41"},
        {"second byte never matches, ignoring case", "\x83\x41", "a", "x", NotCase, 0, "\x83\x41"},
        {"a character start after a double-byte character", "\x83\x41" "A", "A", "x", 0, 1, "\x83\x41x"},
        {"leftmost at a character start", "\x83\x41\x83\x41\x41\x83", "\x41\x83", "-", 0, 1, "\x83\x41\x83\x41-"},
        {"backslash as second byte", "\x95\x5C\\", "\\", "/", NotEscape, 1, "\x95\x5C/"},
        {"lone lead byte at the end", "a\x83", "\x83", "x", 0, 1, "ax"},
        // After a match characters are counted afresh from the byte that follows it.
        {"counting restarts after a match", "\x83\x83\x41", "\x83", "x", 0, 2, "xxA"},
        {"run of lead bytes", "\x81\x81\x81\x81\x81", "\x81\x81", "-", 0, 2, "--\x81"},
        {"ignoring case", "abc AbC ABD", "ABC", "x", NotCase, 2, "x x ABD"},
        {"ignoring case, lowercase find", "ABC", "abc", "x", NotCase, 1, "x"},
        {"case matters without NotCase", "abc AbC", "ABC", "x", 0, 0, "abc AbC"},
        {"second bytes never fold: ア is not ヂ", "\x83\x61\x83\x41", "\x83\x41", "x", NotCase, 1, "\x83\x61x"},
        {"nor ヂ ア", "\x83\x41\x83\x61", "\x83\x61", "x", NotCase, 1, "\x83\x41x"},
        {"only letters fold", "@`[{", "`{", "x", NotCase, 0, "@`[{"},
        {"letters fold, nothing else", "@`[{^~", "@", "x", NotCase, 1, "x`[{^~"},
        {"\\n is CR LF", "a\r\nb\nc", "\\n", "|", 0, 1, "a|b\nc"},
        {"\\u is LF, also in CR LF", "a\r\nb\nc", "\\u", "|", 0, 2, "a\r|b|c"},
        {"replacement escapes", "a", "a", "\\t\\|", 0, 1, "\t\\|"},
        {"NotEscape takes the text as written", "a\\nb a\r\nb", "a\\nb", "x", NotEscape, 1, "x a\r\nb"},
        {"0x1A in the find text is itself", "a\x1A" "b a b", "a\x1A" "b", "x", NotEscape, 1, "x a b"},
        {"and so with escapes", "a\x1A" "b a b", "a\x1A" "b", "x", 0, 1, "x a b"},
        {"the whole text replaced by nothing", "abc", "abc\\|x", "", 0, 1, ""},
        {"shorter, then longer than the alternative", "abcabc", "abc\\|x", "xy", 0, 4, "xyyxyy"},
        {"longer, then shorter than the alternative", "abab", "a\\|ybx", "xy", 0, 3, "xxyyb"},
        {"0x1A in the text is an ordinary byte", "a\x1A\rb", "\\m", "", 0, 1, "a\x1A" "b"},
    };
    for (const Case& c : cases) {
        const Rewrite got = Apply(c.text, c.find, c.replace, c.options);
        EXPECT_EQ(got.Count, c.count) << c.name;
        EXPECT_EQ(got.Text, c.result) << c.name;
    }
}

TEST(LiteralRewrite, IgnoringCaseFoldsExactlyTheAsciiLetters)
{
    auto fold = [](int byte) { return byte >= 'A' && byte <= 'Z' ? byte + 32 : byte; };
    const std::string filler(20, '-');
    for (int textByte = 1; textByte < 256; ++textByte) {
        // Inside the text and as its last byte, where the search reads byte by byte.
        const std::string inside = filler + static_cast<char>(textByte) + filler;
        const std::string atEnd = filler + static_cast<char>(textByte);
        for (int findByte = 1; findByte < 256; ++findByte) {
            if (findByte == '-')
                continue;
            const FileResult expected = fold(textByte) == fold(findByte) ? 1 : 0;
            const std::string find(1, static_cast<char>(findByte));
            const PatternOptions options = NotEscape | NotCase;
            ASSERT_EQ(Apply(inside, find, "", options).Count, expected) << textByte << " " << findByte;
            ASSERT_EQ(Apply(atEnd, find, "", options).Count, expected) << textByte << " " << findByte;
            ASSERT_EQ(Apply(inside, "-" + find, "", options).Count, expected) << textByte << " " << findByte;
        }
    }
}

TEST(LiteralRewrite, AbortedJobIsCancelled)
{
    AbortFlag abort{true};
    std::string rewritten;
    EXPECT_EQ(RewriteLiteralText(abort, "abc", {"b", "x", 0}, rewritten), Cancel);
}

namespace {

char Fold(char c, bool ignoreCase)
{
    return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// The first character start at or after `from`, counted from `from`, where `pattern` begins.
std::size_t ReferenceFind(const std::string& text, const std::string& pattern, std::size_t from, bool ignoreCase)
{
    for (std::size_t p = from; p + pattern.size() <= text.size(); p += IsLeadByte(text[p]) ? 2 : 1) {
        // Only a letter that is a character of its own folds.
        std::size_t k = 0;
        for (bool second = false; k < pattern.size(); ++k) {
            const bool fold = ignoreCase && !second;
            if (Fold(text[p + k], fold) != Fold(pattern[k], fold))
                break;
            second = !second && IsLeadByte(pattern[k]);
        }
        if (k == pattern.size())
            return p;
    }
    return std::string::npos;
}

// The pass-by-pass description, written as plainly as possible.
Rewrite ReferenceRewrite(std::string text, const std::string& find, const std::string& replace,
                         PatternOptions options)
{
    const bool decode = !HasOption(options, NotEscape);
    const std::string replacement = decode ? DecodeReplaceEscapes(replace) : replace;
    FileResult count = 0;
    for (const std::string& alternative : decode ? DecodeFindEscapes(find) : std::vector{find}) {
        if (alternative.empty())
            continue;
        std::string output;
        std::size_t position = 0;
        for (;;) {
            const std::size_t p = ReferenceFind(text, alternative, position, HasOption(options, NotCase));
            if (p == std::string::npos)
                break;
            output += text.substr(position, p - position) + replacement;
            position = p + alternative.size();
            ++count;
        }
        text = output + text.substr(position);
    }
    return {count, text};
}

std::string RandomBytes(std::mt19937& random, const std::string& alphabet, std::size_t maxLength)
{
    std::string bytes(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), '\0');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (char& byte : bytes)
        byte = alphabet[pick(random)];
    return bytes;
}

const PatternOptions AllOptionSets[] = {0, NotEscape, NotCase, NotEscape | NotCase};

}  // namespace

TEST(LiteralRewrite, MatchesThePlainDescriptionOnRandomText)
{
    // Lead bytes, a backslash that may be a second byte, letters of both cases, the bytes
    // that escape sequences decode to, and the separator.
    const std::string textBytes = "\x81\x83\xE0\x5C" "aAb|n\r\n";
    const std::string findBytes = "\x81\x83\x5C" "aAb|n\x1A";
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        for (int round = 0; round < 4000; ++round) {
            const std::string text = RandomBytes(random, textBytes, 60);
            const std::string find = RandomBytes(random, findBytes, 6);
            const std::string replace = RandomBytes(random, findBytes, 3);
            for (PatternOptions options : AllOptionSets) {
                const Rewrite expected = ReferenceRewrite(text, find, replace, options);
                const Rewrite got = Apply(text, find, replace, options);
                ASSERT_EQ(got.Count, expected.Count) << "seed " << seed << " round " << round;
                ASSERT_EQ(got.Text, expected.Text) << "seed " << seed << " round " << round;
            }
        }
    }
}

TEST(LiteralRewrite, OneByteAndSameLengthReplacementsMatchThePlainDescriptionInLongText)
{
    // Texts longer than the blocks of 64 bytes a one-byte find text is looked for in, with
    // runs of lead bytes across their ends; a replacement as long as its find text is
    // written over it where the text is held.
    const std::string textBytes = "\x81\x83\xE0\xFC\x5C\xA1" "aAb\n";
    const std::string findBytes = "\x83\x5C" "aAb";
    for (unsigned seed : {21u, 22u}) {
        std::mt19937 random(seed);
        for (int round = 0; round < 1500; ++round) {
            const std::string text = RandomBytes(random, textBytes, 400);
            std::string find = RandomBytes(random, findBytes, 2);
            if (find.empty())
                find = "\\";
            const std::string replace = RandomBytes(random, findBytes + "/", find.size());
            for (PatternOptions options : {PatternOptions{NotEscape}, PatternOptions{NotEscape | NotCase}}) {
                const Rewrite expected = ReferenceRewrite(text, find, replace, options);
                const Rewrite got = Apply(text, find, replace, options);
                ASSERT_EQ(got.Count, expected.Count) << "seed " << seed << " round " << round;
                ASSERT_EQ(got.Text, expected.Text) << "seed " << seed << " round " << round;
            }
        }
    }
}

TEST(LiteralRewrite, MatchesThePlainDescriptionOnLongRepetitiveText)
{
    // Long runs of one letter make most positions look like a match at first sight.
    const std::string textBytes = "aaaaaaaaaaaaaaaAAAAb\x81";
    const std::string findBytes = "aaaaaaaAb";
    for (unsigned seed : {11u, 12u}) {
        std::mt19937 random(seed);
        for (int round = 0; round < 150; ++round) {
            const std::string text = RandomBytes(random, textBytes, 3000);
            const std::string find = RandomBytes(random, findBytes, 24);
            for (PatternOptions options : {PatternOptions{NotEscape}, PatternOptions{NotEscape | NotCase}}) {
                const Rewrite expected = ReferenceRewrite(text, find, "-", options);
                const Rewrite got = Apply(text, find, "-", options);
                ASSERT_EQ(got.Count, expected.Count) << "seed " << seed << " round " << round;
                ASSERT_EQ(got.Text, expected.Text) << "seed " << seed << " round " << round;
            }
        }
    }
}

TEST(LiteralSearch, FindsTheLeftmostCharacterStartInAdversarialText)
{
    struct Adversary {
        const char* name;
        std::string text;
        std::string pattern;
    };
    const std::string run(1 << 15, 'a');
    const std::string nearMiss = std::string(15, 'a') + "b" + std::string(16, 'a');
    std::string pairs = "\x81";
    for (int i = 0; i < (1 << 14); ++i)
        pairs += "\x81\x82";
    const Adversary adversaries[] = {
        // Every position begins and ends like the pattern; only the middle differs.
        {"near misses", run + nearMiss + run, nearMiss},
        {"near misses, no match", run, nearMiss},
        // Every occurrence is the second byte of a character, deep inside a run of lead bytes.
        {"second bytes only", pairs, "\x81\x82"},
        {"second bytes, then a start", pairs + "a\x81\x82", "\x81\x82"},
        {"lead bytes only", std::string(1 << 15, '\x81'), std::string(9, '\x81')},
    };
    for (const Adversary& a : adversaries)
        for (bool ignoreCase : {false, true}) {
            const LiteralSearch search(a.pattern, ignoreCase);
            for (std::size_t from : {std::size_t{0}, std::size_t{1}, std::size_t{7}, a.text.size() / 2}) {
                const std::size_t expected = ReferenceFind(a.text, a.pattern, from, ignoreCase);
                EXPECT_EQ(search.FindNext(a.text, from), expected == std::string::npos ? LiteralSearch::npos : expected)
                    << a.name << " from " << from;
            }
        }
}

TEST(LiteralSearch, SeveralMatchesAtOnceAreTheSuccessiveSingleOnes)
{
    struct Case {
        const char* name;
        std::string text;
        std::string pattern;
    };
    const std::string run(1 << 12, 'a');
    const std::string nearMiss = std::string(15, 'a') + "b" + std::string(16, 'a');
    std::string nearMisses;
    for (int i = 0; i < 600; ++i)
        nearMisses += nearMiss;
    std::string mixed;
    for (int i = 0; i < 700; ++i)
        mixed += i % 3 ? "\x95\x5C\\x" : "a\\\x81";
    const Case cases[] = {
        // Enough near misses to hand the search to the automaton, then hundreds of matches.
        {"matches after the automaton took over", run + nearMisses, nearMiss},
        {"a backslash beside second bytes", mixed, "\\"},
        {"overlapping occurrences", std::string(1000, 'a'), "aa"},
        {"no match", run, "b"},
    };
    for (const Case& c : cases)
        for (bool ignoreCase : {false, true}) {
            std::vector<std::size_t> expected;
            for (std::size_t from = 0;;) {
                const std::size_t match = ReferenceFind(c.text, c.pattern, from, ignoreCase);
                if (match == std::string::npos)
                    break;
                expected.push_back(match);
                from = match + c.pattern.size();
            }
            const LiteralSearch search(c.pattern, ignoreCase);
            for (std::size_t capacity : {std::size_t{1}, std::size_t{3}, std::size_t{256}}) {
                std::vector<std::size_t> got;
                std::vector<std::size_t> starts(capacity);
                for (std::size_t from = 0, found = capacity; found == capacity;) {
                    found = search.FindSeveral(c.text, from, starts.data(), capacity);
                    got.insert(got.end(), starts.begin(), starts.begin() + static_cast<std::ptrdiff_t>(found));
                    if (found > 0)
                        from = got.back() + c.pattern.size();
                }
                EXPECT_EQ(got, expected) << c.name << ", " << capacity << " at once";
            }
        }
}
