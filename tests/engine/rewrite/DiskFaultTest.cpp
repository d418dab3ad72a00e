// Faults of the disk and of the file system during a run: each file that meets one gets
// its status word, keeps its content, has no temporary file left beside it, and the run
// goes on with the next file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/rewrite/BackupBeforeReplace.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/ReplaceInFile.h"
#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/support/RunInFolder.h"
#include "tests/engine/support/SearchHook.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/FileSystemFaults.h"
#endif

namespace {

struct Interference {
    const char* name;
    std::function<void(const std::string& path)> act;
    bool leavesFile;
    const char* contentAfter;  // what the other program left
};

}  // namespace

TEST(DiskFault, FileChangedByAnotherProgramMeanwhileIsLeftAsThatProgramLeftIt)
{
    TempFolder folder;
    ReplaceJob job;
    job.BackUp = true;

    const Interference interferences[] = {
        {"deleted", [](const std::string& path) { std::filesystem::remove(path); }, false, ""},
        {"replaced",
         [&](const std::string& path) {
             WriteBytes(folder / "other", "another file");
             std::filesystem::rename(folder / "other", path);
         },
         true, "another file"},
        {"rewritten in place", [](const std::string& path) { WriteBytes(path, "edited meanwhile"); }, true,
         "edited meanwhile"},
    };
    for (const Interference& interference : interferences) {
        SCOPED_TRACE(interference.name);
        const std::string path = folder / "a.txt";
        WriteBytes(path, "old text");
        // Another program at work while the text is searched.
        BregexpLibrary library;
        ASSERT_TRUE(LoadWithSearchHook(library, 1, [&] { interference.act(path); }));
        job.RegexLibrary = &library;
        EXPECT_EQ(ReplaceInFile(job, path, {"old", "new", RegularExpression}), WriteErr);
        EXPECT_EQ(FileExists(path), interference.leavesFile);
        if (interference.leavesFile) {
            EXPECT_EQ(ReadBytes(path), interference.contentAfter);
        }
        EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
        EXPECT_FALSE(FileExists(path + ".bak"));
    }
}

// An older backup is replaced by a whole new one in one step, and only while the file is
// still the one read: a file another program changed meanwhile keeps the older backup, and
// a leftover of a stopped run under the name the new one is made under goes.
TEST(DiskFault, OlderBackupStaysUntilTheNewOneCanTakeItsName)
{
    TempFolder folder;
    const std::string path = folder / "a.txt";
    const struct {
        bool older;
        bool changed;
        BackupMade made;
        const char* backup;
    } cases[] = {
        {true, true, BackupMade::None, "older backup"},
        {true, false, BackupMade::OverAnOlderOne, "old text"},
        {false, false, BackupMade::WhereNoneWas, "old text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backup);
        std::filesystem::remove(path + ".bak");
        WriteBytes(path, "old text");
        if (c.older)
            WriteBytes(path + ".bak", "older backup");
        WriteBytes(path + ".tarvelox.auto", "leftover");
        platform::FileContent content;
        ASSERT_EQ(platform::ReadWholeFile(path, content), platform::ReadStatus::Ok);
        if (c.changed)
            WriteBytes(path, "changed meanwhile");

        EXPECT_EQ(BackUpBeforeReplace(path, content.Stamp()), c.made);
        EXPECT_EQ(ReadBytes(path + ".bak"), c.backup);
        EXPECT_EQ(FileExists(path + ".tarvelox.auto"), !c.older);
    }
}

// A run stopped between its backup and its replace leaves a backup that is the file's
// second name; the next run's backup over it leaves nothing else behind.
TEST(DiskFault, ABackupThatIsTheFileItselfIsReplacedWithoutLeftovers)
{
    TempFolder folder;
    const std::string path = folder / "a.txt";
    WriteBytes(path, "old text");
    std::filesystem::create_hard_link(path, path + ".bak");
    platform::FileContent content;
    ASSERT_EQ(platform::ReadWholeFile(path, content), platform::ReadStatus::Ok);

    EXPECT_EQ(BackUpBeforeReplace(path, content.Stamp()), BackupMade::OverAnOlderOne);
    EXPECT_EQ(ReadBytes(path + ".bak"), "old text");
    EXPECT_FALSE(FileExists(path + ".tarvelox.auto"));
}

#ifdef _WIN32

TEST(DiskFault, FullDiskUnderWine)
{
    const char* disk = std::getenv("TARVELOX_SMALL_DISK");
    if (!disk || !FileExists(std::string(disk) + "\\.mounted"))
        GTEST_SKIP() << "no small file system was mounted for this run (that needs root)";
    const std::string path = std::string(disk) + "\\a.txt";
    const std::string filler = std::string(disk) + "\\filler";
    WriteBytes(path, "old text");
    FillDisk(filler);
    ReplaceJob job;
    job.BackUp = true;
    EXPECT_EQ(ReplaceInFile(job, path, {"old", "new", 0}), WriteErr);
    EXPECT_EQ(ReadBytes(path), "old text");
    EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
    EXPECT_FALSE(FileExists(path + ".bak"));
    std::filesystem::remove(filler);
    EXPECT_EQ(ReplaceInFile(job, path, {"old", "new", 0}), 1);
    EXPECT_EQ(ReadBytes(path), "new text");
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".bak");
}

#else

namespace {

class RunFaultTest : public RunInFolderTest {
protected:
    void SetUp() override
    {
        RunInFolderTest::SetUp();
        job.Pattern = {"old", "new", 0};
        job.BackUp = true;
    }

    // Every name in the folder, leftovers included.
    std::vector<std::string> Names(const std::string& where = ".") const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(where))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

TEST_F(RunFaultTest, EachFileWithAFaultGetsItsWordAndTheRunGoesOn)
{
    for (const char* name : {"first.txt", "read-only.txt", "unreadable.txt", "locked/a.txt", "last.txt"}) {
        if (std::string(name) == "locked/a.txt")
            MakeFolder("locked");
        WriteBytes(name, "old text");
    }
    ASSERT_EQ(::mkfifo("pipe.txt", 0666), 0);
    ASSERT_EQ(::chmod("read-only.txt", 0444), 0);
    ASSERT_EQ(::chmod("unreadable.txt", 0222), 0);
    job.Files = {"first.txt", "read-only.txt", "unreadable.txt", "pipe.txt", "locked/a.txt", "missing.txt",
                 "last.txt"};
    ASSERT_EQ(::chmod("locked", 0555), 0);
    std::string text;
    {
        // Root would pass every permission check.
        const OrdinaryUser user(folder.Path());
        text = Run();
    }
    ::chmod("locked", 0755);

    EXPECT_EQ(text, ExpectedLogHeader + ExpectedLogLine("first.txt", "       1") +
                        ExpectedLogLine("read-only.txt", "WriteErr") + ExpectedLogLine("unreadable.txt", " NotOpen") +
                        ExpectedLogLine("pipe.txt", " NotOpen") + ExpectedLogLine("locked/a.txt", "WriteErr") +
                        ExpectedLogLine("missing.txt", " NotOpen") + ExpectedLogLine("last.txt", "       1") +
                        ExpectedLogTotals("          2"));
    EXPECT_EQ(ReadBytes("first.txt"), "new text");
    EXPECT_EQ(ReadBytes("read-only.txt"), "old text");
    EXPECT_EQ(ReadBytes("locked/a.txt"), "old text");
    EXPECT_EQ(ReadBytes("last.txt"), "new text");
    ::chmod("unreadable.txt", 0644);
    EXPECT_EQ(ReadBytes("unreadable.txt"), "old text");
    EXPECT_EQ(Names(), (std::vector<std::string>{"first.txt", "first.txt.bak", "last.txt", "last.txt.bak", "locked",
                                                 "pipe.txt", "read-only.txt", "unreadable.txt"}));
    EXPECT_EQ(Names("locked"), std::vector<std::string>{"a.txt"});
}

TEST_F(RunFaultTest, FullDiskWhileTheTemporaryFileIsWritten)
{
    SmallFileSystem disk(256 * 1024);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.Reason();
    for (const bool allAuto : {false, true}) {
        SCOPED_TRACE(allAuto);
        WriteBytes(disk / "a.txt", "old text");
        WriteBytes(disk / "b.txt", "old text");
        job.Files = {disk / "a.txt", disk / "b.txt"};
        job.AllAuto = allAuto;
        job.Patterns = {job.Pattern};
        FillDisk(disk / "filler");

        const std::string text = Run();
        EXPECT_NE(text.find("WriteErr\r\n"), std::string::npos);
        EXPECT_EQ(ReadBytes(disk / "a.txt"), "old text");
        EXPECT_EQ(ReadBytes(disk / "b.txt"), "old text");
        for (const char* leftover : {"a.txt.tarvelox.tmp", "a.txt.bak", "b.txt.tarvelox.tmp", "b.txt.bak"})
            EXPECT_FALSE(FileExists(disk / leftover)) << leftover;

        // Once there is room again, the same run rewrites both.
        std::filesystem::remove(disk / "filler");
        Run();
        EXPECT_EQ(ReadBytes(disk / "a.txt"), "new text");
        EXPECT_EQ(ReadBytes(disk / "b.txt.bak"), "old text");
        std::filesystem::remove(disk / "a.txt.bak");
        std::filesystem::remove(disk / "b.txt.bak");
    }
}

// Whatever stands under the name of a temporary file and is not a leftover of ours (a
// link planted there) stays as it is, and so does the file; a user's own NAME.tmp and
// NAME.auto are never ours, whether the file fails, is left as it was or is rewritten.
TEST_F(RunFaultTest, NamesTheRunDidNotMakeAreLeftAlone)
{
    WriteBytes("a.txt", "old text");
    WriteBytes("victim", "keep me");
    ASSERT_EQ(::symlink("victim", "a.txt.tarvelox.tmp"), 0);
    for (const char* name : {"b.txt", "c.txt", "d.txt"}) {
        WriteBytes(name, name[0] == 'c' ? "nothing" : "old text");
        WriteBytes(std::string(name) + ".tmp", "notes");
        WriteBytes(std::string(name) + ".auto", "more notes");
    }
    MakeFolder("d.txt.bak");
    job.Files = {"a.txt", "b.txt", "c.txt", "d.txt"};

    for (const bool allAuto : {false, true}) {
        job.AllAuto = allAuto;
        job.Patterns = {{"old", "new", 0}};
        WriteBytes("b.txt", "old text");
        const std::string text = Run();

        EXPECT_EQ(ReadBytes("victim"), "keep me");
        EXPECT_EQ(ReadBytes("a.txt"), "old text");
        EXPECT_EQ(ReadBytes("b.txt"), "new text");
        EXPECT_EQ(ReadBytes("d.txt"), "old text");
        for (const char* name : {"b.txt", "c.txt", "d.txt"}) {
            EXPECT_EQ(ReadBytes(std::string(name) + ".tmp"), "notes") << name;
            EXPECT_EQ(ReadBytes(std::string(name) + ".auto"), "more notes") << name;
        }
        // A full-automatic run backs up a file nothing changed, too.
        std::vector<std::string> names{"a.txt", "a.txt.tarvelox.tmp", "b.txt", "b.txt.auto", "b.txt.bak",
                                       "b.txt.tmp", "c.txt", "c.txt.auto", "c.txt.tmp", "d.txt", "d.txt.auto",
                                       "d.txt.bak", "d.txt.tmp", "victim"};
        if (allAuto)
            names.insert(names.begin() + 8, "c.txt.bak");
        EXPECT_EQ(Names(), names) << "full-automatic " << allAuto;
        // a.txt and d.txt, whose backup cannot be made, fail.
        std::size_t failures = 0;
        for (std::size_t at = text.find("WriteErr"); at != std::string::npos; at = text.find("WriteErr", at + 1))
            ++failures;
        EXPECT_EQ(failures, 2u) << text;
    }
}

// What a killed run left under the names of its own (nobody holds them) goes with the
// next run of the file.
TEST_F(RunFaultTest, ALeftoverOfAKilledRunGoesWithTheNextRun)
{
    WriteBytes("a.txt", "old text");
    WriteBytes("a.txt.bak", "older");
    WriteBytes("a.txt.tarvelox.tmp", "half a new te");
    WriteBytes("a.txt.tarvelox.auto", "older still");
    job.Files = {"a.txt"};

    Run();

    EXPECT_EQ(ReadBytes("a.txt"), "new text");
    EXPECT_EQ(ReadBytes("a.txt.bak"), "old text");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "a.txt.bak"}));
}

#endif
