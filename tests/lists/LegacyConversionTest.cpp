#include "lists/LegacyConversion.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/support/TestFiles.h"

namespace {

std::string FolderOf(const TempFolder& folder)
{
    return folder.Path() + platform::PathSeparator;
}

TEST(LegacyConversion, PairsOfLinesBecomeFindAndReplace)
{
    const struct {
        std::string legacy;
        std::string list;
    } cases[] = {
        {"f1\r\nr1\r\nf2\r\n", "f1\tr1\r\nf2\t\r\n"},
        {"f1\nr1\nf2\nr2", "f1\tr1\r\nf2\tr2\r\n"},
        {"\r\n\r\nf\r\n\r\n", "\t\r\nf\t\r\n"},
        {"", ""},
        {"a\tb\r\n\t\r\n", "a\\tb\t\\t\r\n"},
        {"\x95\x5c\r\n\x83\x41\x1a" "dropped\r\n", "\x95\x5c\t\x83\x41\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder / "list.dat", c.legacy);
        WriteBytes(folder / "replace.lst", "former list, longer than the new one\r\n");
        EXPECT_EQ(ConvertLegacyList(FolderOf(folder)), LegacyConversion::Converted);
        EXPECT_EQ(ReadBytes(folder / "replace.lst"), c.list) << testing::PrintToString(c.legacy);
        EXPECT_FALSE(FileExists(folder / "list.dat"));
    }
}

TEST(LegacyConversion, WithoutListDatNothingChanges)
{
    TempFolder folder;
    WriteBytes(folder / "replace.lst", "kept\t\t\r\n");
    EXPECT_EQ(ConvertLegacyList(FolderOf(folder)), LegacyConversion::NoLegacyFile);
    EXPECT_EQ(ReadBytes(folder / "replace.lst"), "kept\t\t\r\n");
}

TEST(LegacyConversion, KeepsListDatWhenReplaceLstCannotBeCreated)
{
    TempFolder folder;
    WriteBytes(folder / "list.dat", "f1\r\nr1\r\n");
    MakeFolder(folder / "replace.lst");
    EXPECT_EQ(ConvertLegacyList(FolderOf(folder)), LegacyConversion::ListNotCreated);
    EXPECT_EQ(ReadBytes(folder / "list.dat"), "f1\r\nr1\r\n");
    EXPECT_TRUE(platform::IsFolder(folder / "replace.lst"));
}

TEST(LegacyConversion, SkipsAListDatThatCannotBeRead)
{
    TempFolder folder;
    MakeFolder(folder / "list.dat");
    WriteBytes(folder / "replace.lst", "kept\t\t\r\n");
    EXPECT_EQ(ConvertLegacyList(FolderOf(folder)), LegacyConversion::LegacyUnreadable);
    EXPECT_EQ(ReadBytes(folder / "replace.lst"), "kept\t\t\r\n");
    EXPECT_TRUE(platform::IsFolder(folder / "list.dat"));
}

}  // namespace
