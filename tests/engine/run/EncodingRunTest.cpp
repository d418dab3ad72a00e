// One Shift-JIS replace list over the same text in each encoding: every copy changes alike
// and stays in its encoding, byte for byte what iconv makes of the changed Shift-JIS copy.
#include <gtest/gtest.h>

#include "engine/regex/BregexpLibrary.h"
#include "lists/ListFile.h"
#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/support/RunInFolder.h"
#include "tests/engine/support/TestSettings.h"
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
        job.Settings = &settings;
    }

    void WriteCopies()
    {
        fixture::WriteCopies(folder);
        job.Files = fixture::CopyNames();
    }

    BregexpLibrary library;
    TestSettings settings;
};

TEST_F(EncodingRunTest, EveryCopyChangesAlikeInItsOwnEncoding)
{
    for (const bool backUp : {false, true}) {
        for (const int librarySubstitutes : {0, 1}) {
            job.BackUp = backUp;
            settings.Bregexp = librarySubstitutes;
            WriteCopies();
            Run();
            fixture::ExpectCopiesRewritten(folder);
            EXPECT_EQ(log.Text(), fixture::ExpectedRunLog());
        }
    }
}

// Cut off inside its last character a copy is still in its encoding: read as another, its
// characters would be searched as that one's pairs, and a match could split them.
TEST_F(EncodingRunTest, ACopyCutShortInItsLastCharacterIsRewrittenAlikeAndKeepsItsEnd)
{
    const struct {
        const char* name;
        std::string before, after;
    } copies[] = {
        {"sjis.txt", fixture::ShiftJisBefore + "\x82", fixture::ShiftJisAfter + "\x82"},
        {"euc.txt", fixture::EucJpBefore + "\x8F\xA2", fixture::EucJpAfter + "\x8F\xA2"},
        // Without its byte order mark, which alone would tell UTF-8.
        {"utf8.txt", fixture::Utf8Before.substr(3) + "\xE3\x81", fixture::Utf8After.substr(3) + "\xE3\x81"},
    };
    for (const int librarySubstitutes : {0, 1}) {
        settings.Bregexp = librarySubstitutes;
        job.Files.clear();
        for (const auto& copy : copies) {
            WriteBytes(copy.name, copy.before);
            job.Files.push_back(copy.name);
        }
        Run();
        for (const auto& copy : copies)
            EXPECT_EQ(ReadBytes(copy.name), copy.after) << copy.name << " " << librarySubstitutes;
    }
}

// The byte order mark of a UTF-8 file is no text: an expression anchored at the start
// matches after it, and nothing is put before it.
TEST_F(EncodingRunTest, AByteOrderMarkStaysInFront)
{
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        ReplacePattern pattern;
        std::string after;
    } cases[] = {
        // The mark, U+FEFF, is no white space: read as text it would be replaced.
        {{"^\\S", "X", RegularExpression}, mark + "X\r\nb"},
        {{"^\\S", "X", RegularExpression | Multiline}, mark + "X\r\nX"},
    };
    job.AllAuto = false;
    job.Files = {"bom.txt"};
    for (const auto& c : cases) {
        for (const int librarySubstitutes : {0, 1}) {
            settings.Bregexp = librarySubstitutes;
            job.Pattern = c.pattern;
            WriteBytes("bom.txt", mark + "\xE3\x81\x82\r\nb");
            Run();
            EXPECT_EQ(ReadBytes("bom.txt"), c.after) << c.pattern.Find << " " << librarySubstitutes;
        }
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
