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
    EXPECT_EQ(ReplaceListsBeside(lists_ / "replace.lst"), expected);
    EXPECT_EQ(ReplaceListsBeside(lists_ / "c.lst"), expected);
}

TEST_F(ReplaceListChoicesTest, AListThatIsNowhereBringsTheListsOfTheCurrentDirectoryByName)
{
    WriteBytes(current_ / "here.lst", "");
    WriteBytes(current_ / "there.lst", "");
    WriteBytes(current_ / "other.txt", "");
    const std::vector<std::string> expected = ListsInFileSystemOrder(current_.Path(), "");
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(ReplaceListsBeside(lists_ / "missing.lst"), expected);
    EXPECT_EQ(ReplaceListsBeside("new file"), expected);
    // A bare name is looked for in the current directory too.
    EXPECT_EQ(ReplaceListsBeside("here.lst"), ListsInFileSystemOrder(current_.Path(), current_ / ""));
}

TEST_F(ReplaceListChoicesTest, NoListAnywhereBringsNothing)
{
    EXPECT_TRUE(ReplaceListsBeside(lists_ / "missing.lst").empty());
    EXPECT_TRUE(ReplaceListsBeside("").empty());
}

}  // namespace
