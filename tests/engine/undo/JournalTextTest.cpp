#include "engine/undo/JournalText.h"

#include <gtest/gtest.h>

#include "engine/flow/ContentDigest.h"

namespace {

JournalEntry Entry(std::uint64_t number, std::string path)
{
    JournalEntry entry;
    entry.Number = number;
    entry.How = number % 2 ? KeptAs::Link : KeptAs::Copy;
    entry.Original = {1, 100 + number, 10, 123456789012345};
    entry.Made = {1, 200 + number, 12, 123456789099999};
    entry.Digest = 0xfedcba9876543210u - number;
    entry.Path = std::move(path);
    return entry;
}

void ExpectSame(const JournalEntry& read, const JournalEntry& written)
{
    EXPECT_EQ(read.Number, written.Number);
    EXPECT_EQ(read.How, written.How);
    EXPECT_EQ(read.Original, written.Original);
    EXPECT_EQ(read.Made, written.Made);
    EXPECT_EQ(read.Digest, written.Digest);
    EXPECT_EQ(read.Path, written.Path);
}

std::uint64_t DigestOf(const std::string& bytes, std::size_t cut)
{
    ContentDigest digest;
    for (std::size_t at = 0; at < bytes.size(); at += cut)
        digest.Add(bytes.data() + at, std::min(cut, bytes.size() - at));
    return digest.Value();
}

}  // namespace

// Any name a file system holds comes back byte for byte: blanks, TABs, line ends,
// backslashes, Shift-JIS whose second byte is a backslash.
TEST(JournalText, EveryPathComesBackAsWritten)
{
    const std::vector<std::string> paths = {"/a/b.txt",        "/tab\there",       "/line\nend\r",
                                            "/back\\slash\\",  "/\x95\x5C\x8E\xA6", "C:\\doc\\a b.txt",
                                            "/\\t\\n not escapes"};
    std::string text;
    for (std::size_t i = 0; i < paths.size(); ++i)
        text += KeptLine(Entry(i + 1, paths[i]));
    const std::vector<JournalEntry> read = ReadJournalText(text);
    ASSERT_EQ(read.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        ExpectSame(read[i], Entry(i + 1, paths[i]));
}

// A killed run may leave its last line cut anywhere; a line that was changed is no line.
TEST(JournalText, ALineCutShortOrChangedIsPassedOver)
{
    const std::string first = KeptLine(Entry(1, "/a.txt"));
    const std::string second = KeptLine(Entry(2, "/b.txt"));
    for (std::size_t cut = 0; cut < second.size(); ++cut) {
        const std::vector<JournalEntry> read = ReadJournalText(first + second.substr(0, cut));
        ASSERT_EQ(read.size(), 1u) << cut;
        EXPECT_EQ(read[0].Path, "/a.txt");
    }
    std::string changed = second;
    changed[changed.find("b.txt")] = 'c';
    EXPECT_EQ(ReadJournalText(changed + first).size(), 1u);
    EXPECT_EQ(ReadJournalText("garbage\n\n" + first).size(), 1u);
}

TEST(JournalText, ADroppedEntryIsNoEntry)
{
    const std::string text = KeptLine(Entry(1, "/a")) + KeptLine(Entry(2, "/b")) + DroppedLine(1) +
                             KeptLine(Entry(3, "/c"));
    const std::vector<JournalEntry> read = ReadJournalText(text);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Path, "/b");
    EXPECT_EQ(read[1].Path, "/c");
}

TEST(JournalText, FactsKeepTheirOrderAndTheirBytes)
{
    const std::string text = FactLine("started", "12") + FactLine("what", "\x8B\x8C\t\x90\x56\n") +
                             FactLine("restored", "3") + FactLine("restored", "4") + "restored\t5\t";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"started", "12"}, {"what", "\x8B\x8C\t\x90\x56\n"}, {"restored", "3"}, {"restored", "4"}};
    EXPECT_EQ(ReadFactLines(text), expected);
}

// The same bytes give the same digest however they come; any change of a byte, or of the
// length, gives another.
TEST(ContentDigest, DependsOnTheBytesAloneAndOnEachOfThem)
{
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>(i * 37 % 251);
    for (const std::size_t size : {0, 1, 7, 8, 31, 32, 33, 64, 100, 300}) {
        const std::string part = bytes.substr(0, size);
        const std::uint64_t whole = DigestOf(part, part.size() + 1);
        for (const std::size_t cut : {1, 3, 8, 31, 32, 33})
            EXPECT_EQ(DigestOf(part, cut), whole) << size << " cut " << cut;
        for (std::size_t at = 0; at < size; ++at) {
            std::string changed = part;
            changed[at] ^= 1;
            EXPECT_NE(DigestOf(changed, 5), whole) << size << " at " << at;
        }
        EXPECT_NE(DigestOf(part + '\0', 64), whole) << size;
    }
}
