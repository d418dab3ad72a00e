#include "platform/FileReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TestFiles.h"

using namespace platform;

TEST(FileReader, ReadsAnyPartAgainAndStopsAtTheEnd)
{
    TempFolder folder;
    const std::string path = folder / "a.txt";
    WriteBytes(path, "0123456789");
    FileReader file;
    ASSERT_EQ(file.Open(path), ReadStatus::Ok);
    EXPECT_EQ(file.Size(), 10u);
    struct Read {
        std::uint64_t Offset;
        std::size_t Size;
        std::string Expected;
    };
    for (const Read& read : {Read{4, 3, "456"}, Read{0, 2, "01"}, Read{8, 5, "89"}, Read{10, 1, ""}}) {
        std::string bytes(read.Size, '?');
        std::size_t got = 99;
        EXPECT_TRUE(file.ReadAt(read.Offset, bytes.data(), bytes.size(), got)) << read.Offset;
        EXPECT_EQ(bytes.substr(0, got), read.Expected) << read.Offset;
    }
    EXPECT_NE(file.Open(folder / "missing.txt"), ReadStatus::Ok);
    EXPECT_NE(file.Open(folder.Path()), ReadStatus::Ok);
    EXPECT_FALSE(file.IsOpen());
}

TEST(ScratchFile, HoldsWhatWasWrittenAndLeavesNothingBehind)
{
    TempFolder folder;
    const std::string beside = folder / "a.txt";
    WriteBytes(beside, "text");
    {
        ScratchFile scratch;
        ASSERT_TRUE(scratch.Create(beside));
        ASSERT_TRUE(scratch.Write("abc", 3));
        ASSERT_TRUE(scratch.Write("defg", 4));
        EXPECT_EQ(scratch.Size(), 7u);
        std::string bytes(7, '?');
        std::size_t got = 0;
        ASSERT_TRUE(scratch.ReadAt(2, bytes.data(), bytes.size(), got));
        EXPECT_EQ(bytes.substr(0, got), "cdefg");
        ASSERT_TRUE(scratch.Write("h", 1));
        ASSERT_TRUE(scratch.ReadAt(6, bytes.data(), 2, got));
        EXPECT_EQ(bytes.substr(0, got), "gh");
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}
