#include "app/ReplaceListInUse.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

namespace {

class ReplaceListInUseTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (const char* name : {"$History.lst", "in-use.lst"})
            platform::RemoveFile(directory + name);
    }

    const std::string directory = platform::GetProgramDirectory();
    const PatternList patterns = {{"a", "b", 0}, {"\\d+", "#", RegularExpression | Kanji}, {"", "", NotCase}};
    const std::string text = "a\tb\r\n\\d+\t#\tEk\r\n\t\tC\r\n";
};

}  // namespace

TEST_F(ReplaceListInUseTest, FoundBesideTheProgramOrByItsPath)
{
    TempFolder elsewhere;
    WriteBytes(directory + "in-use.lst", text);
    WriteBytes(elsewhere / "other.lst", "x\ty\r\n");
    WriteBytes(directory + "$History.lst", text);
    WriteBytes(elsewhere / "empty.lst", "");
    MakeFolder(elsewhere / "folder.lst");
    using enum ReplaceListState;

    const struct {
        std::string name;
        std::string path;
        bool isHistory;
        PatternList patterns;
        ReplaceListState state;
    } cases[] = {
        {"in-use.lst", directory + "in-use.lst", false, patterns, Read},
        {elsewhere / "other.lst", elsewhere / "other.lst", false, {{"x", "y", 0}}, Read},
        {"$History.lst", directory + "$History.lst", true, patterns, Read},
        {directory + "$History.lst", directory + "$History.lst", true, patterns, Read},
        {elsewhere / "empty.lst", elsewhere / "empty.lst", false, {}, Read},
        {elsewhere / "folder.lst", elsewhere / "folder.lst", false, {}, Unreadable},
        {"missing.lst", "", false, {}, NotFound},
        {"", "", false, {}, NotFound},
    };
    for (const auto& c : cases) {
        const ReplaceListInUse list = LoadReplaceListInUse(c.name);
        EXPECT_EQ(list.Path, c.path) << c.name;
        EXPECT_EQ(list.IsHistory, c.isHistory) << c.name;
        EXPECT_EQ(list.Patterns, c.patterns) << c.name;
        EXPECT_EQ(list.State, c.state) << c.name;
    }
}

TEST_F(ReplaceListInUseTest, AHistoryElsewhereIsAnOrdinaryList)
{
    TempFolder elsewhere;
    WriteBytes(elsewhere / "$History.lst", text);
    const ReplaceListInUse list = LoadReplaceListInUse(elsewhere / "$History.lst");
    EXPECT_FALSE(list.IsHistory);
    EXPECT_EQ(list.Patterns, patterns);
}

#ifdef _WIN32
TEST_F(ReplaceListInUseTest, TheHistoryIsRecognisedInAnyLetterCase)
{
    WriteBytes(directory + "$History.lst", text);
    EXPECT_TRUE(LoadReplaceListInUse("$HISTORY.LST").IsHistory);
}
#endif
