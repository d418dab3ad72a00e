#include "app/ReplaceListChoices.h"

#include <gtest/gtest.h>

#include "platform/CurrentDirectory.h"
#include "platform/Folders.h"
#include "tests/support/TestFiles.h"

namespace {

// The lists a folder holds, in the order the file system gives its entries.
std::vector<std::string> ListsInFileSystemOrder(const std::string& folder, const std::string& prefix)
{
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder, entries);
    std::vector<std::string> lists;
    for (const platform::FolderEntry& entry : entries)
        if (entry.Name.size() >= 4 && (entry.Name.ends_with(".lst") || entry.Name.ends_with(".LST")) &&
            entry.Kind == platform::EntryKind::File)
            lists.push_back(prefix + entry.Name);
    return lists;
}

class ReplaceListChoicesTest : public testing::Test {
protected:
    void SetUp() override
    {
        before_ = platform::CurrentDirectory();
        ASSERT_TRUE(platform::ChangeCurrentDirectory(current_.Path()));
    }
    void TearDown() override { platform::ChangeCurrentDirectory(before_); }

    TempFolder lists_;
    TempFolder current_;
    TempFolder program_;  // stands for the program's folder
    std::string before_;
};

TEST_F(ReplaceListChoicesTest, AnExistingListBringsEveryListOfItsFolder)
{
    for (const char* name : {"replace.lst", "b.LST", "c.lst", "notes.txt", "lst", "x.lstx"})
        WriteBytes(lists_ / name, "");
    MakeFolder(lists_ / "folder.lst");
    WriteBytes(current_ / "here.lst", "");

    const std::vector<std::string> expected = ListsInFileSystemOrder(lists_.Path(), lists_ / "");
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(ReplaceListsBeside(lists_ / "replace.lst", program_ / ""), expected);
    EXPECT_EQ(ReplaceListsBeside(lists_ / "c.lst", program_ / ""), expected);
}

TEST_F(ReplaceListChoicesTest, AListThatIsNowhereBringsTheListsWhereListsAreKept)
{
    WriteBytes(program_ / "kept.lst", "");
    WriteBytes(program_ / "other.txt", "");
    WriteBytes(current_ / "here.lst", "");
    const std::vector<std::string> expected{program_ / "kept.lst"};
    EXPECT_EQ(ReplaceListsBeside(lists_ / "missing.lst", program_ / ""), expected);
    EXPECT_EQ(ReplaceListsBeside("new file", program_ / ""), expected);
    // A bare name is looked for in the current directory too.
    EXPECT_EQ(ReplaceListsBeside("here.lst", program_ / ""), std::vector<std::string>{current_ / "here.lst"});
}

TEST_F(ReplaceListChoicesTest, NoListAnywhereBringsNothing)
{
    EXPECT_TRUE(ReplaceListsBeside(lists_ / "missing.lst", program_ / "").empty());
    EXPECT_TRUE(ReplaceListsBeside("", program_ / "").empty());
}

}  // namespace
