#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "engine/text/CharacterRule.h"
#include "engine/text/EncodingDetection.h"
#include "engine/literal/LiteralSearch.h"
#include "engine/text/PatternConversion.h"
#include "platform/DoubleByte.h"

namespace {

struct StartCase {
    TextEncoding encoding;
    std::string text;
    std::size_t candidate;
    bool start;
};

TEST(CharacterRule, CharacterStarts)
{
    const StartCase cases[] = {
        {TextEncoding::ShiftJis, "\x82\xA0" "a", 1, false},
        {TextEncoding::ShiftJis, "\x82\xA0" "a", 2, true},
        {TextEncoding::Utf8, "\xE3\x81\x82" "a", 1, false},
        {TextEncoding::Utf8, "\xE3\x81\x82" "a", 3, true},
        {TextEncoding::EucJp, "\xA4\xA2\xA4\xA4", 1, false},
        {TextEncoding::EucJp, "\xA4\xA2\xA4\xA4", 2, true},
        {TextEncoding::EucJp, "\x8F\xA2\xB7\xA4\xA2", 1, false},  // JIS X 0212 takes three bytes
        {TextEncoding::EucJp, "\x8F\xA2\xB7\xA4\xA2", 2, false},
        {TextEncoding::EucJp, "\x8F\xA2\xB7\xA4\xA2", 3, true},
        {TextEncoding::EucJp, "\x8E\xB1\xB1\xA2", 2, true},       // half-width katakana: two
        {TextEncoding::EucJp, "\xA4" "a\xA4\xA2", 1, true},        // a lone first byte takes no ASCII
        {TextEncoding::EucJp, "\xA4" "a\xA4\xA2", 2, true},
    };
    for (const StartCase& c : cases) {
        std::size_t known = 0;
        EXPECT_EQ(CharacterRuleOf(c.encoding).AcceptCharacterStart(c.text, known, c.candidate), c.start)
            << EncodingName(c.encoding) << " " << c.candidate;
        EXPECT_LE(known, c.candidate + 1);
    }
}

TEST(CharacterRule, CompleteEndLeavesOutACharacterCutShort)
{
    const StartCase cases[] = {
        {TextEncoding::ShiftJis, "a\x82", 1, true},
        {TextEncoding::ShiftJis, "\x82\x82", 2, true},
        {TextEncoding::Utf8, "a\xE3\x81", 1, true},
        {TextEncoding::Utf8, "a\xE3\x81\x82", 4, true},
        {TextEncoding::EucJp, "a\x8F\xA2", 1, true},
        {TextEncoding::EucJp, "\xA4\xA2\xA4", 2, true},
        {TextEncoding::EucJp, "\xA4\xA2\x8E", 2, true},
    };
    for (const StartCase& c : cases)
        EXPECT_EQ(CharacterRuleOf(c.encoding).CompleteEnd(c.text), c.candidate) << EncodingName(c.encoding);
}

// Runs of seven-bit bytes are passed over a word at a time: whatever their length and
// wherever they begin, the scan must stop exactly at the bytes that form no character,
// and never pass a character that begins before the limit.
TEST(CharacterRule, WellFormedUntilStopsWhereTheCharactersDoAfterAnyAsciiRun)
{
    const struct {
        TextEncoding encoding;
        std::string character;  // one well-formed character of more than one byte
        std::string malformed;
    } rules[] = {
        {TextEncoding::ShiftJis, "\x95\x5C", "\xFD"},
        {TextEncoding::EucJp, "\xA4\xA2", "\xA4" "a"},
        {TextEncoding::Utf8, "\xE3\x81\x82", "\xC3("},
    };
    for (const auto& rule : rules) {
        const CharacterRule& characters = CharacterRuleOf(rule.encoding);
        for (std::size_t from = 0; from < 9; ++from) {
            for (std::size_t run = 0; run < 20; ++run) {
                const std::string head = std::string(from, 'x') + std::string(run, 'a') + rule.character;
                const std::string text = head + std::string(run, 'b') + rule.malformed + "abcdefghijklmnop";
                const std::size_t bad = head.size() + run;
                EXPECT_EQ(characters.WellFormedUntil(text, from, text.size()), bad)
                    << EncodingName(rule.encoding) << " from " << from << " run " << run;
                EXPECT_EQ(characters.WellFormedUntil(text, from, from + run), from + run);
                // A character begun before the limit is read whole.
                EXPECT_EQ(characters.WellFormedUntil(text, from, from + run + 1), head.size());
            }
        }
    }
}

// The Shift-JIS check looks at a byte's place only where the byte is wrong in one of
// them; it must find what reading character by character finds, on every byte that is
// right or wrong in one place only, at every start and limit, across blocks of 64 bytes,
// read 16 or 32 bytes at a time (from 256 bytes on where the processor has AVX2),
// and with long runs of first-byte-range bytes reaching over their edges.
TEST(CharacterRule, ShiftJisWellFormedUntilReadsAsCharacterByCharacter)
{
    const auto byCharacters = [](std::string_view text, std::size_t from, std::size_t until) {
        const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
        const auto second = [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); };
        std::size_t i = from;
        while (i < until && i < text.size()) {
            const unsigned b = byte(i);
            if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
                if (!second(byte(i + 1)))
                    return i;
                i += 2;
            } else if (b == 0x80 || b == 0xA0 || b >= 0xFD) {
                return i;
            } else {
                ++i;
            }
        }
        return i;
    };
    const std::string alphabet("a \n\x00\x3F\x40\x5C\x7E\x7F\x80\x81\x9F\xA0\xA1\xDF\xE0\xFC\xFD\xFF", 19);
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    const CharacterRule& rule = ShiftJisRule();
    for (int round = 0; round < 20000; ++round) {
        // Mostly well-formed pairs and letters, with now and then any byte of the alphabet.
        std::string text;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, round % 8 == 0 ? 400 : round % 4 == 0 ? 200 : 70)(random);
        while (text.size() < length) {
            const unsigned kind = std::uniform_int_distribution<unsigned>(0, 10)(random);
            if (kind == 10)
                text.append(std::uniform_int_distribution<std::size_t>(1, 80)(random), "\x81\xE0"[round % 2]);
            else if (kind < 4)
                text += kind < 2 ? "\x95\x5C" : "\x82\xA0";
            else if (kind < 8)
                text += "word"[kind - 4];
            else
                text += alphabet[pick(random)];
        }
        std::size_t from = 0;
        for (std::size_t skip = std::uniform_int_distribution<std::size_t>(0, 3)(random); skip > 0; --skip)
            from += from < text.size() ? CharacterLength(text, from) : 0;
        for (std::size_t until = from; until <= text.size() + 1; ++until)
            ASSERT_EQ(rule.WellFormedUntil(text, from, until), byCharacters(text, from, until))
                << ::testing::PrintToString(text) << " from " << from << " until " << until;
    }
}

TEST(LiteralSearch, MatchesAreWholeCharactersOfTheEncoding)
{
    struct Case {
        TextEncoding encoding;
        std::string text, find;
        std::size_t found;
    };
    const Case cases[] = {
        // The "a" of あa in UTF-8 is a character there, and the second byte of a pair in Shift-JIS.
        {TextEncoding::Utf8, "\xE3\x81\x82" "a", "a", 3},
        {TextEncoding::ShiftJis, "\xE3\x81\x82" "a", "a", LiteralSearch::npos},
        // あい in EUC-JP holds the bytes of 「｢, which straddle its two characters.
        {TextEncoding::EucJp, "\xA4\xA2\xA4\xA4", "\xA2\xA4", LiteralSearch::npos},
        {TextEncoding::EucJp, "\x8F\xA2\xB7\xA2\xB7", "\xA2\xB7", 3},
        // A UTF-8 match must end where a character ends.
        {TextEncoding::Utf8, "\xE3\x81\x82\x82", "\xE3\x81\x82", LiteralSearch::npos},
    };
    for (const Case& c : cases) {
        const LiteralSearch search(c.find, false, CharacterRuleOf(c.encoding));
        EXPECT_EQ(search.FindNext(c.text, 0), c.found) << EncodingName(c.encoding) << " " << c.find;
    }
}

TEST(EncodingDetection, TellsTheEncodingFromTheBytes)
{
    struct Case {
        std::string text;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"plain text\r\n", TextEncoding::Ascii},
        {"\x1B$B$\"$$\x1B(B", TextEncoding::Iso2022Jp},
        {"\x1B[1mbold\x1B[0m", TextEncoding::Ascii},                      // a terminal's escapes
        {"\xEF\xBB\xBF" "text", TextEncoding::Utf8},
        {"\xE3\x81\x82" "a", TextEncoding::Utf8},
        {"\x82\xA0\x82\xA2\x82\xA4", TextEncoding::ShiftJis},             // あいう
        {"\xA4\xA2\xA4\xA4\xA4\xA6", TextEncoding::EucJp},                // あいう
        {"\xC3\xDE\xB0\xC0", TextEncoding::ShiftJis},                     // ﾃﾞｰﾀ, also EUC-JP 砺梓
        {"\x8E\xB1\x8E\xB2\x8E\xB3\x8E\xB4", TextEncoding::EucJp},        // ｱｲｳｴ in EUC-JP
        {"caf\xC3\xA9 cr\xC3\xA8me", TextEncoding::Utf8},                 // well-formed Shift-JIS too
        {"\x8F\xA2\xB7\xA4\xCE\xA4\xA2", TextEncoding::EucJp},            // JIS X 0212, のあ
        {"\xFF\xFE", TextEncoding::ShiftJis},                             // nothing fits
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodingName(DetectEncoding(c.text)), EncodingName(c.encoding)) << c.text;
}

// A guess says so, and tells the readings it was between; a find text that occurs in one
// reading alone decides, at a character start only.
TEST(EncodingDetection, TellsAGuessAndTakesFindTextsAsClues)
{
    const unsigned shiftJisOrEucJp = 1u << static_cast<unsigned>(TextEncoding::ShiftJis) |
                                     1u << static_cast<unsigned>(TextEncoding::EucJp);
    struct Case {
        std::string text;
        std::vector<std::pair<TextEncoding, std::string>> clues;
        TextEncoding encoding;
        bool guessed;
        unsigned readings;
    };
    const Case cases[] = {
        {"X\x8E\xD0\r\n", {}, TextEncoding::ShiftJis, true, shiftJisOrEucJp},  // X社, or EUC-JP Xﾐ
        {"\xBC\xD2\xC4\xB9", {}, TextEncoding::EucJp, false, 0},                 // 社長, or Shift-JIS ｼﾒﾄｹ
        {"\xB6\xC0\xB6\xC5X", {}, TextEncoding::EucJp, true, shiftJisOrEucJp},  // ｶﾀｶﾅX, or EUC-JP 杏溢X
        {"\x90\xDD\x92\xE8\x83\x74\x83\x40\x83\x43\x83\x8B", {}, TextEncoding::ShiftJis, false, 0},  // 設定ファイル
        {"\xFF\xFE", {}, TextEncoding::ShiftJis, true, 0},
        // ｶ: B6 in Shift-JIS, 8E B6 in EUC-JP.
        {"\xB6\xC0\xB6\xC5X", {{TextEncoding::ShiftJis, "\xB6"}, {TextEncoding::EucJp, "\x8E\xB6"}},
         TextEncoding::ShiftJis, false, 0},
        // 社: 8E D0 in Shift-JIS, BC D2 in EUC-JP.
        {"X\x8E\xD0", {{TextEncoding::ShiftJis, "\x8E\xD0"}, {TextEncoding::EucJp, "\xBC\xD2"}},
         TextEncoding::ShiftJis, false, 0},
        // ﾐ: D0 in Shift-JIS, where it is the second byte of 社 here; 8E D0 in EUC-JP.
        {"X\x8E\xD0", {{TextEncoding::ShiftJis, "\xD0"}, {TextEncoding::EucJp, "\x8E\xD0"}},
         TextEncoding::EucJp, false, 0},
        // Seven-bit clues tell nothing.
        {"X\x8E\xD0", {{TextEncoding::ShiftJis, "X"}, {TextEncoding::EucJp, "X"}}, TextEncoding::ShiftJis, true,
         shiftJisOrEucJp},
    };
    for (const Case& c : cases) {
        EncodingClues clues;
        for (const auto& [encoding, text] : c.clues)
            clues.Add(encoding, text);
        const DetectedEncoding detected = DetectEncoding(EncodingChoice::Automatic, c.text, &clues);
        EXPECT_EQ(EncodingName(detected.Encoding), EncodingName(c.encoding)) << testing::PrintToString(c.text);
        EXPECT_EQ(detected.Guessed, c.guessed) << testing::PrintToString(c.text);
        EXPECT_EQ(detected.Readings, c.readings) << testing::PrintToString(c.text);
    }
    // A chosen encoding is no guess.
    EXPECT_FALSE(DetectEncoding(EncodingChoice::EucJp, "X\x8E\xD0", nullptr).Guessed);
}

// A text's first high byte may stand far into it, past what scoring reads from its start:
// the characters from there on are scored, in blocks too, and a find text beginning with
// seven-bit bytes before them still tells the reading it occurs in.
TEST(EncodingDetection, AFarFirstHighByteIsScoredAsANearOne)
{
    const std::string ascii(300 * 1024, 'a');
    struct Case {
        std::string text;
        std::vector<std::pair<TextEncoding, std::string>> clues;
        TextEncoding encoding;
        bool guessed;
    };
    const Case cases[] = {
        {ascii + "\n\xBC\xD2\xC4\xB9\n", {}, TextEncoding::EucJp, false},  // 社長, or Shift-JIS ｼﾒﾄｹ
        {ascii + " Q\x8E\xD0", {{TextEncoding::ShiftJis, "Q\x8E\xD0"}, {TextEncoding::EucJp, "Q\xBC\xD2"}},
         TextEncoding::ShiftJis, false},  // Q社 in Shift-JIS, or Qﾐ in EUC-JP
    };
    for (const Case& c : cases) {
        EncodingClues clues;
        for (const auto& [encoding, text] : c.clues)
            clues.Add(encoding, text);
        EncodingDetector whole, blocks;
        whole.Add(c.text);
        for (std::size_t at = 0; at < c.text.size(); at += 1000)
            blocks.Add(std::string_view(c.text).substr(at, 1000));
        for (const EncodingDetector* detector : {&whole, &blocks}) {
            const DetectedEncoding detected = detector->Detected(&clues);
            EXPECT_EQ(EncodingName(detected.Encoding), EncodingName(c.encoding)) << c.text.substr(ascii.size());
            EXPECT_EQ(detected.Guessed, c.guessed) << c.text.substr(ascii.size());
        }
    }
}

// A large text is read in two parts at once, cut at a byte below 0x40 near its middle: it
// must be judged as the same text added a block at a time is, whatever stands at the cut
// (a character cut short there, a long UTF-8 character just before it, one reading broken
// far from it).
TEST(EncodingDetection, ALargeTextReadInTwoPartsIsJudgedAsOneReadInBlocks)
{
    static const char* const characters[] = {
        "a", " ", "\n", "\x82\xA0", "\x95\\", "\xA4\xA2", "\xE3\x81\x82", "\xC3\xA9", "\xB6", "\x8E\xB6",
        "\x8F\xA2\xB7", "\x82", "\xE3\x81", "\xFF", "\xF0\x9F\x98\x80",
    };
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(characters) - 1);
    const auto pieces = [&](std::size_t count, std::size_t most) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += characters[std::uniform_int_distribution<std::size_t>(0, most)(random)];
        return text;
    };
    // Mostly characters of one encoding, with a few of any kind about the cut.
    std::string bases[3];
    for (int kind = 0; kind < 3; ++kind) {
        std::string line = "abc ";
        for (int i = 0; i < 64; ++i)
            line += kind == 0 ? "\xA4\xA2 " : kind == 1 ? "\x82\xA0 " : "\xCA\xB0 ";  // ﾊｰ, or UTF-8 ʰ
        while (bases[kind].size() < (std::size_t{9} << 20))
            bases[kind] += line;
    }
    for (int round = 0; round < 9; ++round) {
        std::string text = bases[round % 3];
        // The text is cut at the first byte below 0x40 from the middle of the bytes from
        // its first high one ("abc " comes before): this test's own.
        const std::size_t cut = text.find_first_of(" \n", 4 + (text.size() - 4) / 2);
        std::string around = pieces(std::uniform_int_distribution<std::size_t>(0, 4)(random), std::size(characters) - 1);
        // A Shift-JIS character cut short by the cut.
        if (round < 2)
            around = "\x82";
        // The only long UTF-8 character of the text, just before the cut, makes it UTF-8:
        // ア, or Shift-JIS 繧｢.
        if (round % 3 == 2)
            around = (round < 6 ? "" : around) + "\xE3\x82\xA2";
        std::replace_if(around.begin(), around.end(), [](char c) { return static_cast<unsigned char>(c) < 0x40; }, 'z');
        // Written over whole characters, up to the cut.
        const std::size_t start = text.find_last_of(" \n", cut - around.size() - 1) + 1;
        around = std::string(cut - start - around.size(), 'z') + around + (round % 2 ? "\n" : "0");
        text.replace(start, around.size(), around);
        if (round % 5 == 0)
            text.replace(text.size() - 1000, 1, characters[pick(random)]);

        EncodingDetector whole(EncodingChoice::Automatic), blocks(EncodingChoice::Automatic);
        whole.Add(text);
        for (std::size_t at = 0; at < text.size(); at += 1 << 20)
            blocks.Add(std::string_view(text).substr(at, 1 << 20));
        for (const TextEncoding encoding : {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8})
            EXPECT_EQ(whole.IsWellFormedIn(encoding), blocks.IsWellFormedIn(encoding))
                << "round " << round << " " << EncodingName(encoding) << " " << testing::PrintToString(around);
        const DetectedEncoding fromWhole = whole.Detected(), fromBlocks = blocks.Detected();
        EXPECT_EQ(EncodingName(fromWhole.Encoding), EncodingName(fromBlocks.Encoding)) << "round " << round;
        EXPECT_EQ(fromWhole.Guessed, fromBlocks.Guessed) << "round " << round;
    }
}

// A rewrite stops detecting once the text can only be Shift-JIS: whatever follows, the
// whole text must then be Shift-JIS, on random texts of characters from all three readings
// (a byte order mark among them) cut into random blocks.
TEST(EncodingDetection, OnlyShiftJisLeftHoldsForWhateverFollows)
{
    static const char* const characters[] = {
        "a", "\n", "\x82\xA0", "\x95\\", "\xA4\xA2", "\xE3\x81\x82", "\xC3\xA9", "\xB6", "\x8F\xA2\xB7",
        "\x82", "\xFF", "\xEF\xBB\xBF", "\x1B$B",
    };
    std::mt19937 random(27);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(characters) - 1), blockSize(1, 9);
    int settled = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (int i = std::uniform_int_distribution<int>(1, 14)(random); i > 0; --i)
            text += characters[pick(random)];
        EncodingDetector detector;
        std::string seen;
        bool onlyShiftJis = false;
        for (std::size_t at = 0; at < text.size();) {
            const std::string_view block = std::string_view(text).substr(at, blockSize(random));
            detector.Add(block);
            seen.append(block);
            at += block.size();
            if (!onlyShiftJis && detector.CanOnlyBeShiftJis()) {
                onlyShiftJis = true;
                ++settled;
                EXPECT_EQ(EncodingName(DetectEncoding(seen)), EncodingName(TextEncoding::ShiftJis))
                    << "round " << round << " " << testing::PrintToString(seen);
            }
        }
        if (onlyShiftJis) {
            EXPECT_EQ(EncodingName(DetectEncoding(text)), EncodingName(TextEncoding::ShiftJis))
                << "round " << round << " " << testing::PrintToString(text);
        }
    }
    EXPECT_GT(settled, 400);
    EncodingDetector utf8;
    utf8.Add("\xEF\xBB\xBF\x82\xA0\x95\\\x8F\xA2\xB7");
    EXPECT_FALSE(utf8.CanOnlyBeShiftJis()) << "a byte order mark makes any text UTF-8";
    EncodingDetector chosen(EncodingChoice::EucJp);
    chosen.Add("\x82\xA0\x95\\");
    EXPECT_FALSE(chosen.CanOnlyBeShiftJis());
}

TEST(EncodingDetection, AChosenEncodingStillKeepsIso2022JpAlone)
{
    const std::string jis = "\x1B$B$\"\x1B(B";
    for (const EncodingChoice choice :
         {EncodingChoice::Automatic, EncodingChoice::ShiftJis, EncodingChoice::Utf8, EncodingChoice::EucJp})
        EXPECT_EQ(EncodingOfFile(choice, jis), TextEncoding::Iso2022Jp);
    EXPECT_EQ(EncodingOfFile(EncodingChoice::Utf8, "\x82\xA0"), TextEncoding::Utf8);
}

}  // namespace

// The UTF-8 check reads the common characters of two and three bytes without a look at
// the end of the text; it must find what the table of well-formed sequences finds (no
// overlong form, no surrogate, nothing past U+10FFFF), near the end and away from it.
TEST(CharacterRule, Utf8WellFormedUntilReadsAsTheTableOfSequences)
{
    const auto byTable = [](std::string_view text, std::size_t from, std::size_t until) {
        const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
        const auto within = [](unsigned b, unsigned low, unsigned high) { return b >= low && b <= high; };
        std::size_t i = from;
        while (i < until && i < text.size()) {
            const unsigned b = byte(i);
            std::size_t length = 0;
            if (b < 0x80)
                length = 1;
            else if (within(b, 0xC2, 0xDF))
                length = within(byte(i + 1), 0x80, 0xBF) ? 2 : 0;
            else if (within(b, 0xE0, 0xEF)) {
                const unsigned low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
                length = within(byte(i + 1), low, high) && within(byte(i + 2), 0x80, 0xBF) ? 3 : 0;
            } else if (within(b, 0xF0, 0xF4)) {
                const unsigned low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
                length = within(byte(i + 1), low, high) && within(byte(i + 2), 0x80, 0xBF) &&
                                 within(byte(i + 3), 0x80, 0xBF)
                             ? 4
                             : 0;
            }
            if (length == 0)
                return i;
            i += length;
        }
        return i;
    };
    const std::string alphabet("a\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE1\xEC\xED\xEE\xEF\xF0\xF4\xF5\xFF", 22);
    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    const CharacterRule& rule = Utf8Rule();
    for (int round = 0; round < 20000; ++round) {
        // Mostly well-formed characters, now and then any byte of the alphabet.
        std::string text;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, round % 4 == 0 ? 120 : 30)(random);
        while (text.size() < length) {
            const unsigned kind = std::uniform_int_distribution<unsigned>(0, 9)(random);
            if (kind < 3)
                text += kind == 0 ? "\xE3\x81\x82" : kind == 1 ? "\xC3\xA9" : "\xED\x9F\xBF";
            else if (kind < 7)
                text += "word"[kind - 3];
            else
                text += alphabet[pick(random)];
        }
        for (std::size_t until = 0; until <= text.size(); ++until)
            ASSERT_EQ(rule.WellFormedUntil(text, 0, until), byTable(text, 0, until))
                << ::testing::PrintToString(text) << " until " << until;
    }
}

// A text typed in UTF-8 with the code points JIS X 0208 gives 〜 ‖ − — ¢ £ ¬ finds the
// same characters in Shift-JIS as in EUC-JP; a look-alike code page 932 lacks (¥) is still
// one it cannot hold.
TEST(PatternConversion, JisCodePointsTypedInUtf8AreCodePage932Characters)
{
    const std::string typed = "10\xE3\x80\x9C" "20\xE2\x88\x92\xE2\x80\x96\xE2\x80\x94\xC2\xA2\xC2\xA3\xC2\xAC";
    EXPECT_EQ(ConvertPatternText(typed, TextEncoding::ShiftJis, TextEncoding::Utf8),
              "10\x81\x60" "20\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA");
    EXPECT_EQ(ConvertPatternText("10\xE3\x80\x9C" "20", TextEncoding::EucJp, TextEncoding::Utf8), "10\xA1\xC1" "20");
    EXPECT_EQ(ConvertPatternText(typed, TextEncoding::Utf8, TextEncoding::Utf8), typed);
    EXPECT_EQ(ConvertPatternText("\xEF\xBD\x9E", TextEncoding::ShiftJis, TextEncoding::Utf8), "\x81\x60");
    EXPECT_EQ(ConvertPatternText("\xC2\xA5", TextEncoding::ShiftJis, TextEncoding::Utf8), std::nullopt);
}
