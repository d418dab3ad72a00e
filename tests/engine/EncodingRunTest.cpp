// One Shift-JIS replace list over the same text in each encoding: every copy changes alike
// and stays in its encoding, byte for byte what iconv makes of the changed Shift-JIS copy.
#include <gtest/gtest.h>

#include "engine/BregexpLibrary.h"
#include "lists/ListFile.h"
#include "tests/engine/ExpectedLog.h"
#include "tests/engine/RunInFolder.h"
#include "tests/engine/fixtures/EncodingFolder.h"

namespace {

namespace fixture = encoding_fixture;

class EncodingRunTest : public RunInFolderTest {
protected:
    void SetUp() override
    {
        RunInFolderTest::SetUp();
        ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
        WriteBytes(folder / "list.lst", fixture::ReplaceList);
        job.AllAuto = true;
        job.RegexLibrary = &library;
        job.Patterns = ReadPatternList(folder / "list.lst");
    }

    void WriteCopies()
    {
        fixture::WriteCopies(folder);
        job.Files = fixture::CopyNames();
    }

    BregexpLibrary library;
};

TEST_F(EncodingRunTest, EveryCopyChangesAlikeInItsOwnEncoding)
{
    for (const bool backUp : {false, true}) {
        job.BackUp = backUp;
        WriteCopies();
        Run();
        fixture::ExpectCopiesRewritten(folder);
        EXPECT_EQ(log.Text(), fixture::ExpectedRunLog());
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
