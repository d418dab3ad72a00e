// Files larger than the blocks they are read in: matches and characters across the ends of
// blocks, an encoding that only the later blocks tell, and a file without a match.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/LiteralStream.h"
#include "engine/rewrite/NewTextReader.h"
#include "engine/rewrite/ReplaceAllPatterns.h"
#include "engine/rewrite/ReplaceInFile.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr std::size_t Block = FirstBlockSize;

class LargeFileTest : public testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder / "a.txt";
    ReplaceJob job;
};

}  // namespace

TEST_F(LargeFileTest, MatchesAcrossBlockEndsAndNoneInsideACharacter)
{
    std::string text(3 * Block + 10, ' ');
    text.replace(Block - 1, 3, "abc");  // across the end of the first block
    // "abc" whose first byte is the second byte of a Shift-JIS pair cut by the second end.
    text.replace(2 * Block - 1, 4, "\x83" "abc");
    text.replace(3 * Block - 2, 3, "abc");  // across the third
    std::string expected = text;
    expected.replace(3 * Block - 2, 3, "ABCD");
    expected.replace(Block - 1, 3, "ABCD");
    WriteBytes(path, text);
    EXPECT_EQ(ReplaceInFile(job, path, {"abc", "ABCD", 0}), 2);
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
}

TEST_F(LargeFileTest, FileWithoutAMatchIsNeverWritten)
{
    const std::string text = std::string(3 * Block, 'a') + "\x82\xA0";
    WriteBytes(path, text);
    const auto old = std::filesystem::last_write_time(path);
    EXPECT_EQ(ReplaceInFile(job, path, {"b", "c", 0}), 0);
    EXPECT_EQ(std::filesystem::last_write_time(path), old);
    EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
    EXPECT_EQ(ReadBytes(path), text);
}

TEST_F(LargeFileTest, EncodingToldOnlyByALaterBlockDecides)
{
    // Seven-bit text as far as the first block reaches, then UTF-8: い, typed in Shift-JIS,
    // is found only as UTF-8.
    const std::string text = std::string(Block + 5, 'x') + "\xE3\x81\x82\xE3\x81\x84";
    WriteBytes(path, text);
    EXPECT_EQ(ReplaceInFile(job, path, {"\x82\xA2", "-", 0}), 1);
    EXPECT_EQ(ReadBytes(path), std::string(Block + 5, 'x') + "\xE3\x81\x82-");
}

TEST_F(LargeFileTest, FullAutomaticPatternsChainThroughTheWholeFile)
{
    // Every pattern reads the text the one before made, also where it crosses a block end.
    constexpr std::size_t pairs = Block / 2 + 7;
    std::string text;
    for (std::size_t i = 0; i < 2 * pairs; ++i)
        text += "abc";
    WriteBytes(path, text);
    job.AllAuto = true;
    job.Patterns = {{"abc", "x", 0}, {"xx", "Y", 0}};
    EXPECT_EQ(ReplaceAllPatterns(job, path), static_cast<FileResult>(3 * pairs));
    EXPECT_EQ(ReadBytes(path), std::string(pairs, 'Y'));
}

TEST_F(LargeFileTest, FullAutomaticRunPassesTheTextThroughARegularExpressionBetweenLiterals)
{
    // Literal, expression, literal: the text between them lies in scratch files that leave
    // nothing behind, and a step that changes nothing passes on the text it read.
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    job.RegexLibrary = &library;
    constexpr std::size_t words = Block / 2 + 3;
    std::string text;
    for (std::size_t i = 0; i < words; ++i)
        text += "ab";
    WriteBytes(path, text);
    job.AllAuto = true;
    job.Patterns = {{"b", "c", 0}, {"(a)c", "$1d", RegularExpression}, {"none", "x", 0}, {"ad", "Z", 0}};
    EXPECT_EQ(ReplaceAllPatterns(job, path), static_cast<FileResult>(3 * words));
    EXPECT_EQ(ReadBytes(path), std::string(words, 'Z'));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

namespace {

class LastNewText : public NewTextReader {
public:
    void OnNewText(const std::string&, TextEncoding, std::string_view before, std::string_view after) override
    {
        Before = before;
        After = after;
        ++Calls;
    }
    std::string Before, After;
    int Calls = 0;
};

}  // namespace

TEST_F(LargeFileTest, PreviewAndReaderSeeTheWholeTextsOfAFileOfSeveralBlocks)
{
    // A change only in the last block: the reader gets the unchanged blocks before it too.
    const std::string text = std::string(2 * Block + 3, 'x') + "abc";
    const std::string expected = std::string(2 * Block + 3, 'x') + "aZc";
    for (const bool preview : {true, false}) {
        for (const bool reader : {false, true}) {
            WriteBytes(path, text);
            LastNewText read;
            job.Preview = preview;
            job.NewTexts = reader ? &read : nullptr;
            EXPECT_EQ(ReplaceInFile(job, path, {"b", "Z", 0}), 1) << preview << reader;
            EXPECT_EQ(ReadBytes(path), preview ? text : expected) << preview << reader;
            EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
            EXPECT_EQ(read.Calls, reader ? 1 : 0);
            if (reader) {
                EXPECT_EQ(read.Before, text) << preview;
                EXPECT_EQ(read.After, expected) << preview;
            }
        }
    }
}

TEST_F(LargeFileTest, ALongFileIsReadAheadInOrderAndItsEncodingToldByItsLastBlock)
{
    // Long enough to be read on a thread of its own and written in a large file's writes,
    // and read twice: seven-bit in the first block, then "ё\" in every block, whose
    // backslash is the second byte of a pair read as Shift-JIS, and at the very end a
    // character that only UTF-8 reads whole.
    constexpr std::size_t blocks = 17;
    std::string text(blocks * Block, 'x');
    for (std::size_t b = 1; b < blocks; ++b)
        text.replace(b * Block + 100, 3, "\xD1\x91\\");
    text += "\xE3\x81\x82";
    std::string expected = text;
    for (std::size_t b = 1; b < blocks; ++b)
        expected.replace(b * Block + 100, 3, "\xD1\x91/");
    WriteBytes(path, text);
    EXPECT_EQ(ReplaceInFile(job, path, {"\\", "/", NotEscape}), static_cast<FileResult>(blocks - 1));
    EXPECT_EQ(ReadBytes(path), expected);
}
