#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
                                               bool backUp)
{
    const AbortFlag notAborted{false};
    CommitWaitingRoom room;
    EXPECT_EQ(CommitNewText(notAborted, path, text.data(), text.size(), count, backUp, StampOfRead(path)), count);
    return room.Leave();
}

// A commit left waiting touches nothing until the run puts it in place with the others; then
// each file holds its new text, or, aborted or changed by another program meanwhile, is left
// as it is, and no temporary file stays either way.
TEST(CommitWaitingRoom, FilesTakeTheirNamesTogetherOrAreLeftAsTheyAre)
{
    struct Case {
        const char* Name;
        bool Aborted;
        bool SecondChangedMeanwhile;
        std::vector<FileResult> Results;
    };
    const Case cases[] = {
        {"put in place", false, false, {3, 5}},
        {"aborted while waiting", true, false, {Cancel, Cancel}},
        {"the second changed by another program", false, true, {3, WriteErr}},
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
        const AbortFlag abort{c.Aborted};
        const std::vector<WaitingCommit*> commits{waiting[0].get(), waiting[1].get()};
        EXPECT_EQ(PutInPlaceTogether(commits, abort), c.Results);
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

}  // namespace
