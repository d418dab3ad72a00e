#include "platform/CurrentDirectory.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/support/TestFiles.h"

using namespace platform;

TEST(CurrentDirectory, ChangesAndReportsTheFolder)
{
    const std::string before = CurrentDirectory();
    ASSERT_FALSE(before.empty());
    TempFolder folder;
    WriteBytes(folder / "marker", "x");
    ASSERT_TRUE(ChangeCurrentDirectory(folder.Path()));
    EXPECT_EQ(CurrentDirectory(), folder.Path());
    EXPECT_TRUE(PathExists("marker"));
    EXPECT_FALSE(ChangeCurrentDirectory(folder / "missing"));
    EXPECT_EQ(CurrentDirectory(), folder.Path());
    ASSERT_TRUE(ChangeCurrentDirectory(before));
}
