// The blocks read on a thread of their own come in the file's order, whole, whatever
// moment the taker stops at, and a file cut short while it is read fails the read.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "engine/rewrite/BlockReadAhead.h"
#include "engine/rewrite/FileText.h"
#include "tests/support/TestFiles.h"

namespace {

class BlockReadAheadTest : public testing::Test {
protected:
    void Open(const std::string& text)
    {
        WriteBytes(path, text);
        ASSERT_EQ(OpenFileText(path, file), 0);
        source.emplace(file);
        ASSERT_EQ(source->ReadFirst(First), 0);
    }

    static constexpr std::size_t First = 100;
    static constexpr std::size_t Block = 64;
    TempFolder folder;
    const std::string path = folder / "a.txt";
    platform::FileReader file;
    std::optional<FileSource> source;
};

std::string Numbered(std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i)
        text += std::to_string(i) + ",";
    return text.substr(0, size);
}

}  // namespace

TEST_F(BlockReadAheadTest, BlocksComeInOrderUntilAnEmptyOne)
{
    for (const std::size_t size : {First, First + 1, First + Block, First + 37 * Block + 5}) {
        const std::string text = Numbered(size);
        Open(text);
        std::string read(source->First());
        {
            BlockReadAhead ahead(*source, Block);
            std::string_view block;
            while (ahead.Next(block) && !block.empty()) {
                EXPECT_LE(block.size(), Block);
                read += block;
            }
            EXPECT_TRUE(ahead.Next(block)) << "after the end it stays at the end";
            EXPECT_TRUE(block.empty());
        }
        EXPECT_EQ(read, text) << size;
    }
}

TEST_F(BlockReadAheadTest, ATakerMayStopAtAnyBlock)
{
    const std::string text = Numbered(First + 50 * Block);
    for (const int taken : {0, 1, 2, 3, 10}) {
        Open(text);
        BlockReadAhead ahead(*source, Block);
        std::string_view block;
        for (int i = 0; i < taken; ++i) {
            ASSERT_TRUE(ahead.Next(block));
            EXPECT_EQ(block, std::string_view(text).substr(First + i * Block, Block));
        }
    }
}

TEST_F(BlockReadAheadTest, AFileCutShortFailsTheRead)
{
    Open(Numbered(First + 1000 * Block));
    // Cut before the reading begins: the size the file had when opened is what it must have.
    std::filesystem::resize_file(path, First + 3 * Block + 10);
    BlockReadAhead ahead(*source, Block);
    std::string_view block;
    bool read = true;
    int blocks = 0;
    while ((read = ahead.Next(block)) && !block.empty())
        ++blocks;
    EXPECT_FALSE(read);
    EXPECT_EQ(blocks, 3);
}
