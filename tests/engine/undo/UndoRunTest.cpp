// A run kept in its journal and taken back: every file back as it was, a file changed
// since left alone, a stopped undo taken up again, a run killed before its renames.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/FileCommit.h"
#include "engine/undo/JournalRoom.h"
#include "platform/FileSystem.h"
#include "platform/UndoFiles.h"
#include "tests/engine/undo/UndoSupport.h"

namespace {

using Files = std::map<std::string, std::string>;

const Files Originals = {
    {"a.txt", "old text\r\nold again\r\n"},
    {"sub/b.txt", "an old line, ID42\n"},
    {"c.txt", "nothing to find\n"},
    {"d.txt", std::string("old but\0binary", 14)},
    {"e.txt", ""},
};

void WriteFiles(const Files& files)
{
    for (const auto& [name, bytes] : files) {
        std::filesystem::create_directories(std::filesystem::path(name).parent_path().empty()
                                                ? "."
                                                : std::filesystem::path(name).parent_path());
        WriteBytes(name, bytes);
    }
}

std::vector<std::string> Listed(const Files& files)
{
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files)
        names.push_back(name);
    return names;
}

void ExpectFiles(const Files& files)
{
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadBytes(name), bytes) << name;
}

class UndoRunTest : public UndoTest {
protected:
    void SetUp() override
    {
        UndoTest::SetUp();
        WriteFiles(Originals);
        job.Files = Listed(Originals);
        job.Pattern = {"old", "new", 0};
        job.Workers = 4;
    }
};

}  // namespace

// Whatever the run did to a file, literally, by a regular expression or by a whole list,
// with backups or not, the undo gives every file its bytes back; the backups stay.
TEST_F(UndoRunTest, EveryFileTheRunChangedGetsItsBytesBack)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    const struct {
        const char* name;
        bool allAuto;
        bool backUp;
        ReplacePattern pattern;
    } cases[] = {
        {"literal", false, false, {"old", "new", 0}},
        {"literal, backups", false, true, {"old", "\\t", 0}},
        {"regular expression", false, false, {"ID(\\d+)", "#$1", RegularExpression}},
        {"replace list, backups", true, true, {}},
    };
    job.RegexLibrary = &library;
    job.Patterns = {{"old", "mid", 0}, {"(mid|ID)", "<$1>", RegularExpression}, {"line", "row", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(Runs());
        WriteFiles(Originals);
        for (const char* backup : {"a.txt.bak", "sub/b.txt.bak"})
            std::filesystem::remove(backup);
        job.AllAuto = c.allAuto;
        job.BackUp = c.backUp;
        job.Pattern = c.pattern;
        const RunFolder run = RunWithJournal();
        EXPECT_NE(ReadBytes("sub/b.txt"), Originals.at("sub/b.txt"));
        const std::vector<std::string> undone = Undo(run);
        EXPECT_EQ(outcome, UndoOutcome::Completed);
        ExpectFiles(Originals);
        std::vector<std::string> expected;
        if (c.pattern.Find != "ID(\\d+)")
            expected.push_back("a.txt=Restored");
        expected.push_back("sub/b.txt=Restored");
        EXPECT_EQ(undone, expected);
        if (c.backUp) {
            EXPECT_EQ(ReadBytes("sub/b.txt.bak"), Originals.at("sub/b.txt"));
            // The file and its backup are two files: what is written into one in place
            // leaves the other.
            WriteBytes("sub/b.txt", "written in place");
            EXPECT_EQ(ReadBytes("sub/b.txt.bak"), Originals.at("sub/b.txt"));
        }
        // The originals went back under their names: nothing is left in the journal.
        std::vector<platform::FolderEntry> kept;
        EXPECT_TRUE(platform::ListFolder(run.Originals(), kept));
        EXPECT_TRUE(kept.empty());
    }
}

// A file another program changed after the run, even to the same size and time, or
// removed, or put another file in the place of, is left as it is and named; the others
// go back.
TEST_F(UndoRunTest, AFileChangedSinceTheRunIsLeftAsItIs)
{
    const Files more = {{"f.txt", "old f"}, {"g.txt", "old g"}, {"h.txt", "old h"}, {"i.txt", "old i"}};
    WriteFiles(more);
    for (const auto& [name, bytes] : more)
        job.Files.push_back(name);
    const RunFolder run = RunWithJournal();
    ASSERT_EQ(ReadBytes("f.txt"), "new f");
    const WriteTime written("g.txt");
    // The same size and time as the run left: only the content tells.
    const WriteTime time("f.txt");
    WriteBytes("f.txt", "NEW F");
    time.PutBack("f.txt");
    WriteBytes("g.txt", "new g, and more");
    std::filesystem::remove("h.txt");
    std::filesystem::rename("i.txt", "i-moved.txt");
    WriteBytes("i.txt", "new i");

    EXPECT_EQ(Undo(run, true), (std::vector<std::string>{"a.txt=Restored", "f.txt=Changed", "g.txt=Changed",
                                                         "h.txt=Missing", "i.txt=Changed",
                                                         "sub/b.txt=Restored"}));
    EXPECT_EQ(ReadBytes("a.txt"), "new text\r\nnew again\r\n");
    const std::vector<std::string> undone = Undo(run);
    EXPECT_EQ(undone.size(), 6u);
    ExpectFiles(Originals);
    ExpectFiles({{"f.txt", "NEW F"}, {"g.txt", "new g, and more"}, {"i.txt", "new i"}, {"i-moved.txt", "new i"}});
    EXPECT_FALSE(FileExists("h.txt"));
    EXPECT_EQ(undoLog.RestoredFiles(), 2u);
    EXPECT_EQ(undoLog.LeftFiles(), 4u);

    // Left alone, not forgotten: once the file is as the run left it again, the next undo
    // takes it back.
    WriteBytes("g.txt", "new g");
    written.PutBack("g.txt");
    EXPECT_EQ(Undo(run), (std::vector<std::string>{"a.txt=Undone", "f.txt=Changed", "g.txt=Restored",
                                                   "h.txt=Missing", "i.txt=Changed",
                                                   "sub/b.txt=Undone"}));
    EXPECT_EQ(ReadBytes("g.txt"), "old g");
}

// The original is kept as a second name of the file the run read, which its backup is too:
// written in place through the backup since, it no longer holds what the file held, and
// is not put back.
TEST_F(UndoRunTest, AnOriginalChangedThroughItsBackupIsNotPutBack)
{
    job.BackUp = true;
    const RunFolder run = RunWithJournal();
    ASSERT_EQ(ReadBytes("a.txt.bak"), Originals.at("a.txt"));
    WriteBytes("a.txt.bak", "scribbled over the backup");
    EXPECT_EQ(Undo(run), (std::vector<std::string>{"a.txt=NotKept", "sub/b.txt=Restored"}));
    EXPECT_EQ(ReadBytes("a.txt"), "new text\r\nnew again\r\n");
    EXPECT_EQ(ReadBytes("sub/b.txt"), Originals.at("sub/b.txt"));
}

// An undo stopped after some files leaves the rest as the run left them; the next one
// takes them back and tells which were back already.
TEST_F(UndoRunTest, AStoppedUndoIsTakenUpByTheNextOne)
{
    for (int i = 0; i < 6; ++i) {
        const std::string name = "m" + std::to_string(i) + ".txt";
        WriteBytes(name, "old " + name);
        job.Files.push_back(name);
    }
    const RunFolder run = RunWithJournal();
    UndoJob undo;
    undo.Run = run;
    undo.Workers = 1;
    RecordingUndo first(folder.Path(), &undo.AbortRequested, 3);
    EXPECT_EQ(UndoRun(undo, undoLog, first), UndoOutcome::Aborted);
    EXPECT_EQ(first.files.size(), 3u);
    EXPECT_NE(undoLog.Text().find("\x91\x8D\x95\x9C\x8C\xB3\x90\x94"), std::string::npos);
    std::size_t back = 0;
    for (const std::string& name : Listed(Originals))
        back += ReadBytes(name) == Originals.at(name);
    for (int i = 0; i < 6; ++i)
        back += ReadBytes("m" + std::to_string(i) + ".txt") == "old m" + std::to_string(i) + ".txt";
    EXPECT_EQ(back, 3u + 3u);  // the three files nothing changed, and the three taken back
    EXPECT_FALSE(ReadRun(run)->UndoFinished);

    const std::vector<std::string> second = Undo(run);
    EXPECT_EQ(outcome, UndoOutcome::Completed);
    EXPECT_EQ(std::count_if(second.begin(), second.end(), [](const std::string& s) { return s.ends_with("=Undone"); }),
              3);
    EXPECT_EQ(undoLog.RestoredFiles(), 5u);
    ExpectFiles(Originals);
    EXPECT_TRUE(ReadRun(run)->UndoFinished);
}

// A run killed between keeping an original and its rename leaves a journal line for a
// file that still holds its old content: the undo neither touches nor names it.
TEST_F(UndoRunTest, AFileTheRunNeverPutInPlaceIsNotTouched)
{
    RunJournal journal;
    ASSERT_TRUE(journal.Open(Runs(), {folder.Path(), "killed"}));
    platform::FileContent read;
    ASSERT_EQ(platform::ReadWholeFile("a.txt", read), platform::ReadStatus::Ok);
    const std::string path = "a.txt";
    const platform::FileStamp made{1, 2, 3, 4};
    std::uint64_t entry = 0;
    ASSERT_TRUE(journal.BeforeCommit({path, read.Stamp(), made, 5}, entry));
    // The run went no further with this file: no rename.
    job.Files = {"sub/b.txt"};
    job.Commits = &journal;
    Run();
    job.Commits = nullptr;
    const RunFolder run(Runs(), journal.Id());
    journal.Close(false);
    ASSERT_EQ(ReadRun(run)->Entries.size(), 2u);
    EXPECT_EQ(Undo(run), std::vector<std::string>{"sub/b.txt=Restored"});
    ExpectFiles(Originals);
}

// A file whose original cannot be kept is not rewritten: the journal never misses a file
// the run changed.
TEST_F(UndoRunTest, AFileWhoseOriginalCannotBeKeptKeepsItsContent)
{
    RunJournal journal;
    ASSERT_TRUE(journal.Open(Runs(), {folder.Path(), "no room"}));
    const RunFolder run(Runs(), journal.Id());
    std::filesystem::remove_all(run.Originals());
    job.Commits = &journal;
    const std::string text = Run();
    job.Commits = nullptr;
    journal.Close(true);
    EXPECT_NE(text.find(" UndoErr"), std::string::npos);
    ExpectFiles(Originals);
    EXPECT_FALSE(platform::IsFolder(run.Path));
}

// A run that changes nothing keeps no journal; one that is written now cannot be undone
// meanwhile.
TEST_F(UndoRunTest, OnlyARunThatChangedFilesIsKeptAndNoneWhileItIsWritten)
{
    job.Pattern = {"absent", "x", 0};
    RunWithJournal();
    EXPECT_TRUE(ListRuns(Runs()).empty());

    RunJournal journal;
    ASSERT_TRUE(journal.Open(Runs(), {folder.Path(), "at work"}));
    Undo(RunFolder(Runs(), journal.Id()));
    EXPECT_EQ(outcome, UndoOutcome::InUse);
    ASSERT_EQ(ListRuns(Runs()).size(), 1u);
    EXPECT_TRUE(ListRuns(Runs())[0].InUse);
    journal.Close(true);
    Undo(RunFolder(Runs(), "20000101-000000"));
    EXPECT_EQ(outcome, UndoOutcome::NotARun);
}

// The journal keeps the newest runs within their number and the size of their originals;
// the newest stays whatever its size, and the last run is the newest.
TEST_F(UndoRunTest, KeptRunsStayWithinTheirBounds)
{
    std::vector<std::string> ids;
    for (int i = 0; i < 4; ++i) {
        WriteFiles(Originals);
        ids.push_back(RunWithJournal().Id);
    }
    ASSERT_EQ(ListRuns(Runs()).size(), 4u);
    const std::uint64_t bytes = ListRuns(Runs())[0].OriginalBytes;
    EXPECT_EQ(bytes, Originals.at("a.txt").size() + Originals.at("sub/b.txt").size());
    EXPECT_EQ(LastRun(Runs())->Folder.Id, ids.back());

    // The counts a run's end wrote are those of its journal, which then need not be read;
    // a run whose end wrote none (killed) is read whole.
    const RunFolder oldest = ListRuns(Runs()).back().Folder;
    const std::optional<KeptRun> counted = ReadRun(oldest, RunReading::Counts);
    ASSERT_TRUE(counted);
    EXPECT_TRUE(counted->Entries.empty());
    EXPECT_EQ(counted->Files, 2u);
    EXPECT_EQ(counted->OriginalBytes, bytes);
    std::string facts = ReadBytes(oldest.Facts());
    for (const char* key : {"files\t", "bytes\t"}) {
        const std::size_t line = facts.find(key);
        ASSERT_NE(line, std::string::npos) << key;
        facts.erase(line, facts.find('\n', line) + 1 - line);
    }
    WriteBytes(oldest.Facts(), facts);
    const std::optional<KeptRun> killed = ReadRun(oldest, RunReading::Counts);
    ASSERT_TRUE(killed);
    EXPECT_EQ(killed->Entries.size(), 2u);
    EXPECT_EQ(killed->OriginalBytes, bytes);

    const struct {
        RunLimits limits;
        std::size_t kept;
    } cases[] = {{{10, bytes * 10}, 4}, {{3, bytes * 10}, 3}, {{3, bytes * 2}, 2}, {{5, 0}, 1}};
    for (const auto& c : cases) {
        PruneRuns(Runs(), c.limits);
        const std::vector<KeptRun> kept = ListRuns(Runs());
        ASSERT_EQ(kept.size(), c.kept) << c.limits.Runs << " " << c.limits.Bytes;
        for (std::size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(kept[i].Folder.Id, ids[ids.size() - 1 - i]);
    }
}

// The files are counted, each in whole blocks of the journal's disk, unless their disk is
// the journal's and has more free than used.
TEST_F(UndoRunTest, RoomIsTheSizeOfEveryListedFile)
{
    const JournalRoom room = RoomForOriginals({"a.txt", "sub/b.txt", "missing.txt"}, Runs());
    EXPECT_TRUE(room.FolderMade);
    EXPECT_TRUE(room.Enough);
    const std::optional<platform::DiskSpace> space = platform::SpaceOf(Runs());
    ASSERT_TRUE(space);
    const bool sameDisk = platform::FileSystemOf(Runs()) == platform::FileSystemOf(folder.Path()) &&
                          platform::FileSystemOf(Runs()) == platform::FileSystemOf(folder / "sub");
    const auto blocks = [&](std::size_t size) { return (size + space->Block - 1) / space->Block * space->Block; };
    if (sameDisk && space->Free >= space->Used)
        EXPECT_FALSE(room.Needed);
    else
        EXPECT_EQ(room.Needed, blocks(Originals.at("a.txt").size()) + blocks(Originals.at("sub/b.txt").size()));
    // A file elsewhere (a folder that is not there tells no file system) has it counted.
    const JournalRoom counted = RoomForOriginals({"a.txt", "nowhere/c.txt"}, Runs());
    EXPECT_EQ(counted.Needed, blocks(Originals.at("a.txt").size()));
    EXPECT_GE(*counted.Needed, space->Block);
    WriteBytes("blocked", "a file");
    EXPECT_FALSE(RoomForOriginals({"a.txt"}, platform::JoinPath(folder / "blocked", "runs")).FolderMade);
}

// The undo's log is laid out as a run's, with its own heading, words and total.
TEST(UndoLog, HeadingWordsAndTotal)
{
    UndoLog log;
    log.ResetLog();
    const UndoResult results[] = {UndoResult::Restored, UndoResult::RestoredBefore, UndoResult::Changed,
                                  UndoResult::Missing,  UndoResult::NotKept,        UndoResult::NotOpen,
                                  UndoResult::WriteErr};
    const char* words[] = {"Restored", "  Undone", " Changed", " Missing", " NotKept", " NotOpen", "WriteErr"};
    for (const UndoResult result : results)
        log.AddLogLine("/a", result);
    log.AddLogLine("/b", UndoResult::Restored);
    log.FinishLog();
    std::string expected = "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC" + std::string(36, ' ') +
                           "\x95\x9C\x8C\xB3\x8C\x8B\x89\xCA\r\n" + std::string(54, '-') + "\r\n";
    for (const char* word : words)
        expected += "/a" + std::string(44, ' ') + word + "\r\n";
    expected += "/b" + std::string(44, ' ') + "Restored\r\n";
    expected += std::string(54, '-') + "\r\n\x91\x8D\x95\x9C\x8C\xB3\x90\x94" + std::string(35, ' ') +
                std::string(10, ' ') + "2\r\n";
    EXPECT_EQ(log.Text(), expected);
    EXPECT_EQ(log.RestoredFiles(), 2u);
    EXPECT_EQ(log.RestoredBefore(), 1u);
    EXPECT_EQ(log.LeftFiles(), 5u);
}

// The journal under another drive letter than the files' (Wine shows one file system as
// C: and Z:, each with its own volume number): every file is kept and comes back.
TEST_F(UndoRunTest, AJournalUnderAnotherDriveLetter)
{
#ifdef _WIN32
    if (!platform::IsFolder("Z:\\tmp") || folder.Path().starts_with("Z:"))
        GTEST_SKIP() << "no second drive letter";
    const std::string runs = "Z:\\tmp\\tarvelox-undo-" + std::to_string(::GetCurrentProcessId());
#else
    GTEST_SKIP() << "drive letters are Windows'";
    const std::string runs;
#endif
    const RunFolder run = RunWithJournal(runs);
    EXPECT_EQ(ReadRun(run)->Entries.size(), 2u);
    EXPECT_EQ(Undo(run).size(), 2u);
    EXPECT_EQ(outcome, UndoOutcome::Completed);
    ExpectFiles(Originals);
    std::filesystem::remove_all(runs);
}
