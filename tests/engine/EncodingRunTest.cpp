// One Shift-JIS replace list over the same text in each encoding: every copy changes alike
// and stays in its encoding, byte for byte what iconv makes of the changed Shift-JIS copy.
#include <gtest/gtest.h>

#include "engine/BregexpLibrary.h"
#include "tests/engine/ExpectedLog.h"
#include "tests/engine/RunInFolder.h"
#include "tests/engine/fixtures/EncodingFixture.h"

namespace {

namespace fixture = encoding_fixture;

const PatternList TypedInShiftJis = {
    {"a", "A", 0},
    {"タルベロックス", "Tarvelox社", 0},
    {"㈱", "(株)", 0},
    {"①", "(1)", 0},
    {"([0-9]+)時～", "$1:00から", RegularExpression | Kanji},
    {"([0-9]+)時", "$1:00", RegularExpression | Kanji},
    {"能力", "能 力", 0},
};

class EncodingRunTest : public RunInFolderTest {
protected:
    void SetUp() override
    {
        RunInFolderTest::SetUp();
        ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
        job.AllAuto = true;
        job.RegexLibrary = &library;
        job.Patterns = TypedInShiftJis;
    }

    void WriteCopies()
    {
        WriteBytes("sjis.txt", fixture::ShiftJisBefore);
        WriteBytes("euc.txt", fixture::EucJpBefore);
        WriteBytes("utf8.txt", fixture::Utf8Before);
        WriteBytes("jis.txt", fixture::Iso2022JpBefore);
        WriteBytes("ascii.txt", fixture::AsciiBefore);
        job.Files = {"sjis.txt", "euc.txt", "utf8.txt", "jis.txt", "ascii.txt"};
    }

    BregexpLibrary library;
};

TEST_F(EncodingRunTest, EveryCopyChangesAlikeInItsOwnEncoding)
{
    for (const bool backUp : {false, true}) {
        job.BackUp = backUp;
        WriteCopies();
        Run();
        EXPECT_EQ(ReadBytes("sjis.txt"), fixture::ShiftJisAfter);
        EXPECT_EQ(ReadBytes("euc.txt"), fixture::EucJpAfter);
        EXPECT_EQ(ReadBytes("utf8.txt"), fixture::Utf8After);
        EXPECT_EQ(ReadBytes("jis.txt"), fixture::Iso2022JpBefore);
        EXPECT_EQ(ReadBytes("ascii.txt"), fixture::AsciiAfter);
        EXPECT_EQ(log.Text(), ExpectedLog({{"sjis.txt", "       7"},
                                           {"euc.txt", "       7"},
                                           {"utf8.txt", "       7"},
                                           {"jis.txt", " ISO2022"},
                                           {"ascii.txt", "       1"}},
                                          "         22"));
    }
}

TEST_F(EncodingRunTest, AFixedEncodingReadsEveryFileThatWay)
{
    WriteCopies();
    job.Encoding = EncodingChoice::ShiftJis;
    Run();
    EXPECT_EQ(ReadBytes("sjis.txt"), fixture::ShiftJisAfter);
    // Read as Shift-JIS the other copies hold none of the Japanese patterns; the "a" of
    // the UTF-8 copy is the second byte of a pair then.
    EXPECT_EQ(ReadBytes("utf8.txt"), fixture::Utf8Before);
    EXPECT_EQ(ReadBytes("jis.txt"), fixture::Iso2022JpBefore);
    EXPECT_EQ(ReadBytes("ascii.txt"), fixture::AsciiAfter);

    WriteCopies();
    job.Encoding = EncodingChoice::EucJp;
    Run();
    EXPECT_EQ(ReadBytes("euc.txt"), fixture::EucJpAfter);
    EXPECT_EQ(ReadBytes("jis.txt"), fixture::Iso2022JpBefore);
}

TEST_F(EncodingRunTest, TextsTheEncodingCannotHold)
{
    // A lone lead byte is no character of code page 932: nothing can convert it.
    const std::string unheld = "x\x82";
    job.AllAuto = false;
    struct Case {
        ReplacePattern pattern;
        const char* eucAndUtf8;  // the log column of both
    };
    const Case cases[] = {
        {{"version", unheld, 0}, "EncodeER"},                // needed: the file stays as it was
        {{"version", unheld, RegularExpression}, "EncodeER"},
        {{"no such text", unheld, 0}, "       0"},           // not needed: no harm
        {{unheld, "y", 0}, "       0"},                       // cannot occur
        {{unheld + "|version", "y", RegularExpression}, "       0"},
    };
    for (const Case& c : cases) {
        WriteCopies();
        job.Pattern = c.pattern;
        Run();
        EXPECT_EQ(ReadBytes("euc.txt"), fixture::EucJpBefore) << c.pattern.Find;
        EXPECT_EQ(ReadBytes("utf8.txt"), fixture::Utf8Before) << c.pattern.Find;
        const std::string text = log.Text();
        EXPECT_NE(text.find(ExpectedLogLine("euc.txt", c.eucAndUtf8)), std::string::npos) << text;
        EXPECT_NE(text.find(ExpectedLogLine("utf8.txt", c.eucAndUtf8)), std::string::npos) << text;
    }
}

}  // namespace
