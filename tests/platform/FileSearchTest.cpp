#include "platform/FileSearch.h"

#include <gtest/gtest.h>

#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

using namespace platform;

namespace {

// Searches from a fresh current folder; the files made beside the program go again.
class FileSearchTest : public testing::Test {
protected:
    void SetUp() override
    {
        before_ = CurrentDirectory();
        ASSERT_TRUE(ChangeCurrentDirectory(current.Path()));
    }
    void TearDown() override
    {
        RemoveFile(besideProgram);
        ChangeCurrentDirectory(before_);
    }

    TempFolder current;
    const std::string besideProgram = GetProgramDirectory() + "search-test-both.lst";
    std::string before_;
};

}  // namespace

TEST_F(FileSearchTest, ProgramFolderFirstThenCurrentFolder)
{
    WriteBytes(besideProgram, "program");
    WriteBytes(current / "search-test-both.lst", "current");
    WriteBytes(current / "search-test-current.lst", "current");

    EXPECT_EQ(SearchFile("search-test-both.lst"), besideProgram);
    EXPECT_EQ(SearchFile("search-test-current.lst"), current / "search-test-current.lst");
    EXPECT_EQ(SearchFile(current / "search-test-current.lst"), current / "search-test-current.lst");
    // A name that says it is in the current folder is looked for there alone.
    EXPECT_EQ(ReadBytes(SearchFile(std::string(".") + PathSeparator + "search-test-both.lst")), "current");
}

TEST_F(FileSearchTest, WhatIsNowhereGivesAnEmptyPath)
{
    for (const std::string& name : {std::string("search-test-missing.lst"), current / "missing.lst", std::string()})
        EXPECT_EQ(SearchFile(name), "") << name;
}
