#include "platform/DoubleByte.h"

#include <gtest/gtest.h>

TEST(DoubleByte, LeadRanges)
{
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(DoubleByte, CharacterStartsCountFromTheOrigin)
{
    // 83 41 is one character, so 41 is its second byte; 83 83 41: 83 83 is a character.
    const std::string text = "a\x83\x41" "b\x83\x83\x41\x95\x5C";
    const char* o = text.data();
    const bool starts[] = {true, true, false, true, true, false, true, true, false};
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(IsCharacterStart(o, o + i), starts[i]) << i;
    // Counted from the second byte of 83 41, the 41 itself starts a character.
    EXPECT_TRUE(IsCharacterStart(o + 2, o + 2));
    EXPECT_TRUE(IsCharacterStart(o + 2, o + 3));
}

TEST(DoubleByte, FrontierAgreesWithBackwardCounting)
{
    const std::string text = "\x81\x81\x81" "a\xE0\x40\x9F\x9F\x9F\x9F" "b";
    const char* frontier = text.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(AdvanceToCharacterStart(frontier, text.data() + i), IsCharacterStart(text.data(), text.data() + i))
            << i;
}

TEST(DoubleByte, CharacterSearchesSkipSecondBytes)
{
    const std::string text = "\x95\x5C" "a\\b\x95\x5C";
    EXPECT_EQ(FindCharacter(text, '\\'), 3u);
    EXPECT_EQ(FindCharacter(text, '\\', 4), std::string::npos);
    EXPECT_EQ(FindLastCharacter(text, '\\'), 3u);
    EXPECT_EQ(FindLastCharacter("\x95", '\x95'), 0u);
    EXPECT_EQ(CharacterLength("\x95", 0), 1u);
}

TEST(DoubleByte, ReplacementNeverMatchesSecondBytesOrInsertedText)
{
    EXPECT_EQ(ReplaceAtCharacterStarts("\x95\x5Cn\\n", "\\n", "X"), "\x95\x5CnX");
    EXPECT_EQ(ReplaceAtCharacterStarts("aaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAtCharacterStarts("ab", "", "x"), "ab");
    EXPECT_EQ(ReplaceAtCharacterStarts("a/b", "/", "\\/"), "a\\/b");
}

TEST(DoubleByte, AsciiCaseRulesLeaveSecondBytesAlone)
{
    // 82 60 is a full-width letter, 83 41 a katakana whose second byte is "A".
    EXPECT_EQ(LowerAsciiLetters("AbZ.TXT\x83\x41Q\x82\x60"), "abz.txt\x83\x41q\x82\x60");
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"C:\\Doc\\A.TXT", "c:\\doc\\a.txt", true},
        {"\x83\x41", "\x83\x61", false},
        {"x\x83\x41", "X\x83\x41", true},
        {"a", "ab", false},
        {"[", "{", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EqualIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " " << c.b;
}
