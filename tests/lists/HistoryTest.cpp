#include "lists/History.h"

#include <gtest/gtest.h>

#include "lists/ListLocations.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

namespace {

std::string FindText(int n)
{
    return std::string("f").append(std::to_string(n));
}

std::string Line(int n)
{
    return FindText(n).append("\tr\t\r\n");
}

TEST(History, PutsTheNewestPatternFirst)
{
    TempFolder folder;
    const std::string path = folder / "$History.lst";
    UpdateHistoryFile(path, "abc", "xyz", RegularExpression | Ignorecase);
    EXPECT_EQ(ReadBytes(path), "abc\txyz\tEi\r\n");
    UpdateHistoryFile(path, "a\tb", "", NotEscape | Kanji);
    EXPECT_EQ(ReadBytes(path), "a\\tb\t\tS\r\nabc\txyz\tEi\r\n");
}

TEST(History, ARepeatedPatternMovesToTheTopOnce)
{
    TempFolder folder;
    const std::string path = folder / "$History.lst";
    WriteBytes(path, "one\t\t\r\nabc\txyz\tEi\r\ntwo\t\t\r\nabc\txyz\tEi\r\nABC\txyz\tEi\r\n");
    UpdateHistoryFile(path, "abc", "xyz", RegularExpression | Ignorecase);
    EXPECT_EQ(ReadBytes(path), "abc\txyz\tEi\r\none\t\t\r\ntwo\t\t\r\nabc\txyz\tEi\r\nABC\txyz\tEi\r\n");
    UpdateHistoryFile(path, "abc", "xyz", RegularExpression | Ignorecase);
    EXPECT_EQ(ReadBytes(path), "abc\txyz\tEi\r\none\t\t\r\ntwo\t\t\r\nabc\txyz\tEi\r\nABC\txyz\tEi\r\n");
}

TEST(History, KeepsTheNewestTwentyLines)
{
    TempFolder folder;
    const std::string path = folder / "$History.lst";
    std::string expected;
    for (int n = 1; n <= 20; ++n) {
        UpdateHistoryFile(path, FindText(n), "r", 0);
        expected = Line(n) + expected;
    }
    EXPECT_EQ(ReadBytes(path), expected);
    UpdateHistoryFile(path, "f21", "r", 0);
    expected = Line(21) + expected.substr(0, expected.size() - Line(1).size());
    EXPECT_EQ(ReadBytes(path), expected);

    // A longer hand-made history is cut to twenty too.
    std::string longer;
    for (int n = 100; n < 130; ++n)
        longer += Line(n);
    WriteBytes(path, longer);
    UpdateHistoryFile(path, "f115", "r", 0);
    std::string cut = Line(115);
    for (int n = 100; n < 115; ++n)
        cut += Line(n);
    for (int n = 116; n < 120; ++n)
        cut += Line(n);
    EXPECT_EQ(ReadBytes(path), cut);
}

TEST(History, GivesUpSilentlyWhenTheFileCannotBeCreated)
{
    TempFolder folder;
    MakeFolder(folder / "$History.lst");
    UpdateHistoryFile(folder / "$History.lst", "abc", "", 0);
    EXPECT_TRUE(platform::IsFolder(folder / "$History.lst"));
}

TEST(History, LivesInTheProgramDirectory)
{
    const std::string path = platform::GetProgramDirectory() + "$History.lst";
    ASSERT_EQ(HistoryFilePath(), path);
    ASSERT_FALSE(FileExists(path)) << "a history left behind in the test folder";
    UpdateHistory("abc", "xyz", 0);
    EXPECT_EQ(ReadBytes(path), "abc\txyz\t\r\n");
    platform::RemoveFile(path);
}

}  // namespace
