#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/rewrite/CommitObserver.h"
#include "engine/rewrite/CommitWaitingRoom.h"
#include "engine/rewrite/FileCommit.h"
#include "tests/support/TestFiles.h"

namespace {

platform::FileStamp StampOfRead(const std::string& path)
{
    platform::FileContent read;
    EXPECT_EQ(platform::ReadWholeFile(path, read), platform::ReadStatus::Ok);
    return read.Stamp();
}

// A commit made while a room is open on the thread, left waiting there.
std::unique_ptr<WaitingCommit> WaitingCommitOf(const std::string& path, const std::string& text, FileResult count,
                                               bool backUp, CommitObserver* commits = nullptr)
{
    const AbortFlag notAborted{false};
    CommitWaitingRoom room;
    EXPECT_EQ(CommitNewText(notAborted, path, text.data(), text.size(), count, backUp, StampOfRead(path), nullptr,
                            commits),
              count);
    return room.Leave();
}

// Tells what it was told, and what the files held when their originals were to be made to last.
class TellingObserver final : public CommitObserver {
public:
    explicit TellingObserver(std::vector<std::string> files, bool lasts) : files_(std::move(files)), lasts_(lasts) {}

    bool BeforeCommit(const FileCommit&, std::uint64_t& entry) override
    {
        entry = ++kept_;
        Told += "kept " + std::to_string(entry) + ";";
        return true;
    }
    bool BeforeNames() override
    {
        Told += "names after";
        for (const std::string& file : files_)
            Told += " " + ReadBytes(file);
        Told += ";";
        return lasts_;
    }
    void AfterCommit(std::uint64_t entry, bool committed) override
    {
        Told += (committed ? "took " : "dropped ") + std::to_string(entry) + ";";
    }

    std::string Told;

private:
    std::vector<std::string> files_;
    bool lasts_;
    std::uint64_t kept_ = 0;
};

// A commit left waiting touches nothing until the run puts it in place with the others; then
// each file holds its new text, or, changed by another program meanwhile, is left as it is,
// and no temporary file stays either way.
TEST(CommitWaitingRoom, FilesTakeTheirNamesTogetherOrAreLeftAsTheyAre)
{
    struct Case {
        const char* Name;
        bool SecondChangedMeanwhile;
        std::vector<FileResult> Results;
    };
    const Case cases[] = {
        {"put in place", false, {3, 5}},
        {"the second changed by another program", true, {3, WriteErr}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        const std::string first = folder / "a.txt", second = folder / "b.txt";
        WriteBytes(first, "old a");
        WriteBytes(second, "old b");
        std::vector<std::unique_ptr<WaitingCommit>> waiting;
        waiting.push_back(WaitingCommitOf(first, "new a", 3, false));
        waiting.push_back(WaitingCommitOf(second, "new b", 5, true));
        ASSERT_TRUE(waiting[0] && waiting[1]);
        EXPECT_EQ(ReadBytes(first), "old a");
        EXPECT_EQ(ReadBytes(second), "old b");
        EXPECT_TRUE(FileExists(first + ".tarvelox.tmp"));
        if (c.SecondChangedMeanwhile)
            WriteBytes(second, "changed by another program");
        const std::vector<WaitingCommit*> commits{waiting[0].get(), waiting[1].get()};
        EXPECT_EQ(PutInPlaceTogether(commits), c.Results);
        waiting.clear();
        EXPECT_EQ(ReadBytes(first), c.Results[0] > 0 ? "new a" : "old a");
        EXPECT_EQ(ReadBytes(second), c.Results[1] > 0                ? "new b"
                                     : c.SecondChangedMeanwhile ? "changed by another program"
                                                                : "old b");
        EXPECT_EQ(FileExists(second + ".bak"), c.Results[1] > 0);
        EXPECT_FALSE(FileExists(first + ".tarvelox.tmp"));
        EXPECT_FALSE(FileExists(second + ".tarvelox.tmp"));
    }
}

// Where no room is open (a single file rewritten outside a run), and for nothing to commit,
// nothing waits.
TEST(CommitWaitingRoom, NothingWaitsWithoutARoomOrWithoutAChange)
{
    TempFolder folder;
    const std::string path = folder / "a.txt";
    WriteBytes(path, "old");
    const AbortFlag notAborted{false};
    EXPECT_EQ(CommitNewText(notAborted, path, "new", 3, 1, false, StampOfRead(path)), 1);
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(WaitingCommitOf(path, "newer", 0, false), nullptr);
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
}

// The originals of files put in place together are kept and made to last in one go before
// any of them takes its name; when they cannot be made to last, none does.
TEST(CommitWaitingRoom, OriginalsAreKeptTogetherBeforeAnyNameIsTaken)
{
    for (const bool lasts : {true, false}) {
        SCOPED_TRACE(lasts);
        TempFolder folder;
        const std::string first = folder / "a.txt", second = folder / "b.txt";
        WriteBytes(first, "old a");
        WriteBytes(second, "old b");
        TellingObserver journal({first, second}, lasts);
        std::vector<std::unique_ptr<WaitingCommit>> waiting;
        waiting.push_back(WaitingCommitOf(first, "new a", 1, false, &journal));
        waiting.push_back(WaitingCommitOf(second, "new b", 2, false, &journal));
        const std::vector<WaitingCommit*> commits{waiting[0].get(), waiting[1].get()};
        const std::vector<FileResult> expected =
            lasts ? std::vector<FileResult>{1, 2} : std::vector<FileResult>{UndoErr, UndoErr};
        EXPECT_EQ(PutInPlaceTogether(commits), expected);
        waiting.clear();
        EXPECT_EQ(journal.Told, lasts ? "kept 1;kept 2;names after old a old b;took 1;took 2;"
                                      : "kept 1;kept 2;names after old a old b;dropped 1;dropped 2;");
        EXPECT_EQ(ReadBytes(first), lasts ? "new a" : "old a");
        EXPECT_FALSE(FileExists(first + ".tarvelox.tmp"));
        EXPECT_FALSE(FileExists(second + ".tarvelox.tmp"));
    }
}

}  // namespace
