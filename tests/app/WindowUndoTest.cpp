// The undo as the window starts it: the journal a window run keeps, the number of files
// its confirmation names, and the window's abort reaching the undo.
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

#include "app/SettingsStore.h"
#include "app/WindowUndo.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunObserver.h"
#include "tests/support/TestFiles.h"

namespace {

// Where the journal's runs go for this test: the variable the program reads for them.
void KeepRunsIn(const std::string& folder)
{
#ifdef _WIN32
    ::SetEnvironmentVariableA("LOCALAPPDATA", folder.c_str());
#else
    ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
#endif
}

class WindowUndoTest : public testing::Test {
protected:
    void SetUp() override
    {
        KeepRunsIn(folder / "state");
        settings.SetFilePath(folder / "Tarvelox.ini");
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            WriteBytes(folder / name, name[0] == 'c' ? "nothing" : "old text");
            job.Files.push_back(folder / name);
        }
        job.Pattern = {"old", "new", 0};
    }
    void RunWithJournal()
    {
        UndoJournalSetup journal;
        ASSERT_EQ(StartJournal(journal, job, settings, "replace.lst"), JournalChoice::Kept);
        ResultLog log;
        RunObserver unseen;
        RunReplace(job, log, unseen);
        journal.Finish(job, true);
        EXPECT_EQ(job.Commits, nullptr);
    }

    TempFolder folder;
    SettingsStore settings;
    ReplaceJob job;
};

}  // namespace

TEST_F(WindowUndoTest, TheLastRunItsFilesAndAStop)
{
    EXPECT_FALSE(LastRunToTakeBack());
    RunWithJournal();
    std::optional<RunToTakeBack> last = LastRunToTakeBack();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->Files, 2u);
    EXPECT_EQ(last->Run.What, "old → new");

    // The window's abort, set before the first file, stops the undo there.
    UndoJob stopped;
    stopped.Run = last->Run.Folder;
    UndoLog log;
    RunObserver progress;
    AbortFlag stop{true};
    EXPECT_EQ(UndoWithProgress(stopped, log, progress, stop), UndoOutcome::Aborted);
    EXPECT_EQ(ReadBytes(folder / "a.txt"), "new text");
    ASSERT_TRUE(LastRunToTakeBack());

    UndoJob undo;
    undo.Run = last->Run.Folder;
    stop = false;
    EXPECT_EQ(UndoWithProgress(undo, log, progress, stop), UndoOutcome::Completed);
    EXPECT_EQ(log.RestoredFiles(), 2u);
    EXPECT_EQ(ReadBytes(folder / "a.txt"), "old text");
    EXPECT_EQ(ReadBytes(folder / "b.txt"), "old text");
    // Taken back whole: nothing is left for the window to offer.
    EXPECT_FALSE(LastRunToTakeBack());
}

// UndoRuns=0 keeps no journal and asks nothing; a journal that cannot be made is told.
TEST_F(WindowUndoTest, NoJournalByTheSettingsOrNoneThatCanBeMade)
{
    WriteBytes(folder / "Tarvelox.ini", "[PROCESS]\r\nUndoRuns=0\r\n");
    UndoJournalSetup none;
    EXPECT_EQ(StartJournal(none, job, settings, std::string()), JournalChoice::Kept);
    EXPECT_EQ(job.Commits, nullptr);

    WriteBytes(folder / "Tarvelox.ini", "");
    WriteBytes(folder / "state", "a file where the folder of runs belongs");
    UndoJournalSetup refused;
    EXPECT_EQ(StartJournal(refused, job, settings, std::string()), JournalChoice::CannotKeep);
    EXPECT_EQ(job.Commits, nullptr);
}
