#include "engine/run/ResultLog.h"
#include "engine/run/ShortenPath.h"

#include <gtest/gtest.h>

#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"
#include "tests/engine/support/ExpectedLog.h"

namespace {

// Test paths are written with backslashes and turned into this platform's separator;
// a 0x5C that is the second byte of a character stays.
std::string Native(const std::string& path)
{
    return ReplaceAtCharacterStarts(path, "\\", std::string(1, platform::PathSeparator));
}

std::string LineOf(const std::string& path, FileResult result)
{
    ResultLog log;
    log.AddLogLine(path, result);
    return log.Text();
}

struct ShorteningCase {
    const char* name;
    std::string path;
    std::string expected;
};

}  // namespace

TEST(ResultLog, OneFileWithThreeReplacements)
{
    ResultLog log;
    log.ResetLog();
    log.AddLogLine(Native("C:\\doc\\a.txt"), 3);
    log.FinishLog();
    EXPECT_EQ(log.Text(), ExpectedLogHeader + ExpectedLogLine(Native("C:\\doc\\a.txt"), "       3") +
                              ExpectedLogTotals("          3"));
    EXPECT_EQ(log.Total(), 3);
}

TEST(ResultLog, StatusWordsAreEightBytesAndLeaveTheTotal)
{
    const struct {
        FileResult result;
        const char* column;
    } cases[] = {
        {0, "       0"},         {12345678, "12345678"}, {NotOpen, " NotOpen"}, {MemLack, " MemLack"},
        {NoText, "  NoText"},    {RegExpER, "RegExpER"}, {Cancel, "  Cancel"},  {WriteErr, "WriteErr"},
    };
    const std::string path = Native("C:\\f");
    for (const auto& c : cases)
        EXPECT_EQ(LineOf(path, c.result), path + std::string(42, ' ') + c.column + "\r\n") << c.result;

    ResultLog log;
    log.ResetLog();
    for (const auto& c : cases)
        log.AddLogLine(path, c.result);
    log.FinishLog();
    EXPECT_EQ(log.Total(), 12345678);
    EXPECT_EQ(log.Text().substr(log.Text().size() - 13), "   12345678\r\n");
}

TEST(ResultLog, OnlyFileFailedShowsTotalZero)
{
    ResultLog log;
    log.ResetLog();
    log.AddLogLine(Native("C:\\x.txt"), NoText);
    log.FinishLog();
    EXPECT_EQ(log.Text(), ExpectedLogHeader + ExpectedLogLine(Native("C:\\x.txt"), "  NoText") +
                              ExpectedLogTotals("          0"));
}

TEST(ResultLog, ResetStartsAFreshRun)
{
    ResultLog log;
    EXPECT_EQ(log.Text(), "");
    log.ResetLog();
    log.AddLogLine(Native("C:\\a"), 7);
    log.AddLogLine(Native("C:\\b"), 0);
    log.AddLogLine(Native("C:\\c"), Cancel);
    log.AddLogLine(Native("C:\\d"), NotOpen);
    EXPECT_EQ(log.LoggedFiles(), 4u);
    EXPECT_EQ(log.ChangedFiles(), 1u);
    EXPECT_EQ(log.FailedFiles(), 2u);
    EXPECT_EQ(log.CancelledFiles(), 1u);
    // Of 6 listed files a stop left 3 as they were: 2 it never reached, 1 it cut short.
    EXPECT_EQ(log.NotProcessed(6), 3u);
    log.FinishLog();
    log.ResetLog();
    EXPECT_EQ(log.Text(), ExpectedLogHeader);
    EXPECT_EQ(log.Total(), 0);
    EXPECT_EQ(log.LoggedFiles() + log.ChangedFiles() + log.FailedFiles() + log.CancelledFiles(), 0u);
    log.FinishLog();
    EXPECT_EQ(log.Text(), ExpectedLogHeader + ExpectedLogTotals("          0"));
}

TEST(ResultLog, TotalBeyondAFileCountDoesNotWrap)
{
    ResultLog log;
    log.ResetLog();
    log.AddLogLine(Native("C:\\a"), 2000000000);
    log.AddLogLine(Native("C:\\b"), 2000000000);
    log.FinishLog();
    EXPECT_EQ(log.Total(), 4000000000LL);
    EXPECT_EQ(log.Text().substr(log.Text().size() - 13), " 4000000000\r\n");
}

TEST(ResultLog, PathColumnAtTheLimit)
{
    const std::string exact = Native("C:\\aaaaaaaaaa\\bbbbbbbbbb\\cccccccccc\\file1.txt");
    ASSERT_EQ(exact.size(), 45u);
    EXPECT_EQ(LineOf(exact, 5), exact + "        5\r\n");

    const std::string over = Native("C:\\aaaaaaaaaa\\bbbbbbbbbb\\cccccccccc\\file12.txt");
    ASSERT_EQ(over.size(), 46u);
    const std::string shortened = Native("C:\\aaaaaaaaaa\\...\\cccccccccc\\file12.txt");
    EXPECT_EQ(LineOf(over, 5), shortened + std::string(46 - shortened.size(), ' ') + "       5\r\n");
}

TEST(ShortenPath, Cases)
{
    const ShorteningCase cases[] = {
        {"short path unchanged", "C:\\doc\\a.txt", "C:\\doc\\a.txt"},
        {"folders collapse in two steps", "C:\\aaaaaaaaaa\\bbbbbbbbbb\\cccccccccc\\dddddddddd\\file.txt",
         "C:\\aaaaaaaaaa\\...\\dddddddddd\\file.txt"},
        {"no folder: middle cut", "C:\\" + std::string(60, 'n'), "C:\\..." + std::string(39, 'n')},
        {"dotted component stays, the next ones go", "C:\\src\\.git\\objects\\pack\\pack-0123456789abcdef.idx",
         "C:\\src\\.git\\pack\\pack-0123456789abcdef.idx"},
        {"dotted component with nothing left to delete", "C:\\src\\.git\\" + std::string(50, 'o'),
         "C:\\..." + std::string(39, 'o')},
        {"short components end through the fallback", "C:\\ab\\c\\d\\" + std::string(36, 'n') + ".txt",
         "C:\\..." + std::string(35, 'n') + ".txt"},
        {"0x5C as second byte is no separator", "C:\\\x95\x5C\x95\x5C\x95\x5C\x95\x5C\x95\x5C\\bbbbbbbbbb\\cccccccccc\\dddddddddd\\file.txt",
         "C:\\\x95\x5C\x95\x5C\x95\x5C\x95\x5C\x95\x5C\\...\\dddddddddd\\file.txt"},
        {"the search starts at a character start",
         "ab\x95\x5C" "cccccccccc\\dddddddddd\\eeeeeeeeee\\file00000.txt",
         "ab\x95\x5C" "cccccccccc\\...\\eeeeeeeeee\\file00000.txt"},
    };
    for (const ShorteningCase& c : cases) {
        const std::string shortened = ShortenPath(Native(c.path));
        EXPECT_EQ(shortened, Native(c.expected)) << c.name;
        EXPECT_LE(shortened.size(), ShortenedPathLimit) << c.name;
    }
}

namespace {

std::string Repeat(const std::string& unit, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += unit;
    return text;
}

}  // namespace

// Neither end of a middle cut may split a double-byte character; which bytes are lead
// bytes is counted from the start of the path, not read from the byte values.
TEST(ShortenPath, MiddleCutKeepsCharactersWhole)
{
    const ShorteningCase cases[] = {
        {"lead byte 40 from the end", "C:\\" + std::string(20, 'a') + Repeat("\x83\x41", 20),
         "C:\\..." + Repeat("\x83\x41", 19)},
        {"second byte 40 from the end", "C:\\" + std::string(20, 'a') + Repeat("\x83\x41", 20) + "b",
         "C:\\..." + Repeat("\x83\x41", 19) + "b"},
        {"second byte in the lead range", "C:\\" + std::string(20, 'a') + Repeat("\x83\x83", 20) + "b",
         "C:\\..." + Repeat("\x83\x83", 19) + "b"},
        {"head would end on a lead byte", "ab\x83\x41" + std::string(60, 'x'), "ab..." + std::string(39, 'x')},
    };
    for (const ShorteningCase& c : cases) {
        const std::string shortened = ShortenPath(Native(c.path));
        EXPECT_EQ(shortened, Native(c.expected)) << c.name;
        EXPECT_LE(shortened.size(), ShortenedPathLimit) << c.name;
    }
}
