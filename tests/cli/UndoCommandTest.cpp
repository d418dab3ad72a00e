// The native command's undo end to end: a run kept, listed and taken back, a file changed
// since left alone, older runs by their identifier, and the journal's bounds.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "tests/cli/NativeCommandFixture.h"
#include "tests/engine/support/ExpectedLog.h"
#include "tests/support/TestFiles.h"

namespace {

struct stat StatOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

// The identifiers --runs lists, the newest first.
std::vector<std::string> Ids(const std::string& listing)
{
    std::vector<std::string> ids;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);)
        ids.push_back(line.substr(0, line.find(' ')));
    return ids;
}

class UndoCommandTest : public NativeCommandTest {
protected:
    void SetUp() override
    {
        NativeCommandTest::SetUp();
        MakeFolder(Work("d"));
        WriteBytes(Work("a.txt"), "old one\r\nold two\r\n");
        WriteBytes(Work("d/b.txt"), "an old line\n");
        WriteBytes(Work("c.txt"), "nothing to find\n");
    }
    Outcome Replace(const std::string& find, const std::string& replacement, Arguments more = {})
    {
        Arguments arguments = {"-F" + find, "-R" + replacement, "a.txt", "d", "c.txt"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }
};

}  // namespace

// The original itself comes back, not a copy of it: the same file, with its bits; the
// undo's log has its own caption and words, and a second undo finds nothing left to do.
TEST_F(UndoCommandTest, TheLastRunIsListedAndTakenBack)
{
    ::chmod(Work("a.txt").c_str(), 0640);
    const struct stat before = StatOf(Work("a.txt"));

    ASSERT_EQ(Replace("old", "new").status, 0);
    ASSERT_EQ(ReadBytes(Work("a.txt")), "new one\r\nnew two\r\n");
    const Outcome runs = Run({"--runs"});
    EXPECT_EQ(runs.status, 0) << runs.err;
    EXPECT_EQ(Ids(runs.out).size(), 1u) << runs.out;
    EXPECT_NE(runs.out.find("  2 files  " + work_.Path() + "  old"), std::string::npos) << runs.out;

    const Outcome undo = Run({"--undo", "--log=undo.log"});

    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(undo.out, "a.txt: Restored\nd/b.txt: Restored\n");
    EXPECT_NE(undo.err.find("2 files restored, 0 left as they are"), std::string::npos) << undo.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "old one\r\nold two\r\n");
    EXPECT_EQ(ReadBytes(Work("d/b.txt")), "an old line\n");
    EXPECT_EQ(ReadBytes(Work("c.txt")), "nothing to find\n");
    const struct stat after = StatOf(Work("a.txt"));
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    const std::string log = ReadBytes(Work("undo.log"));
    EXPECT_EQ(log.find(ExpectedLogHeader), std::string::npos) << "a run's caption";
    EXPECT_NE(log.find(ExpectedLogLine(Work("a.txt"), "Restored")), std::string::npos) << log;
    EXPECT_NE(log.find(ExpectedLogLine(Work("d/b.txt"), "Restored")), std::string::npos) << log;

    const Outcome again = Run({"--undo"});
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.err.find("was taken back already"), std::string::npos) << again.err;
    EXPECT_NE(Run({"--runs"}).out.find(", taken back"), std::string::npos);
}

// Only a file still exactly what the run wrote is put back: one written since, even with
// the size and the time the run left it, keeps what it holds, and the status says so.
TEST_F(UndoCommandTest, AFileChangedSinceTheRunIsLeftAndNamed)
{
    ASSERT_EQ(Replace("old", "new").status, 0);
    WriteBytes(Work("c.txt"), "written since\n");
    const auto written = std::filesystem::last_write_time(Work("d/b.txt"));
    WriteBytes(Work("d/b.txt"), "a NEW line\n");
    std::filesystem::last_write_time(Work("d/b.txt"), written);

    const Outcome undo = Run({"--undo"});

    EXPECT_EQ(undo.status, 1) << undo.err;
    EXPECT_EQ(undo.out, "a.txt: Restored\nd/b.txt: Changed (changed since the run: left as it is)\n");
    EXPECT_NE(undo.err.find("1 file restored, 1 left as they are"), std::string::npos) << undo.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "old one\r\nold two\r\n");
    EXPECT_EQ(ReadBytes(Work("d/b.txt")), "a NEW line\n");
    EXPECT_EQ(ReadBytes(Work("c.txt")), "written since\n");
}

// What the user typed is listed with its control characters escaped, as names are: it
// neither breaks the line nor commands the terminal.
TEST_F(UndoCommandTest, RunsAreListedWithoutControlCharacters)
{
    ASSERT_EQ(Replace("old", "\x1B[31mnew\n").status, 0);
    const Outcome runs = Run({"--runs"});
    EXPECT_EQ(runs.status, 0);
    EXPECT_EQ(std::count(runs.out.begin(), runs.out.end(), '\n'), 1) << runs.out;
    EXPECT_NE(runs.out.find("\\x1B[31mnew\\n\n"), std::string::npos) << runs.out;
}

// Lines that cannot be written to standard output are a failure told on standard error,
// as they are for a run; the undo itself is done.
TEST_F(UndoCommandTest, AStandardOutputThatTakesNothingIsAFailure)
{
    ASSERT_EQ(Replace("old", "new").status, 0);
    ASSERT_EQ(::symlink("/dev/full", (home_ / "stdoutfull").c_str()), 0);
    for (const char* request : {"--runs", "--undo"}) {
        int status = -1;
        ::waitpid(Start({request}, false, "C", nullptr, "full"), &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << request << status;
        const std::string err = ReadBytes(home_ / "stderrfull");
        EXPECT_NE(err.find("tarvelox: standard output could not be written\n"), std::string::npos) << err;
    }
    EXPECT_EQ(ReadBytes(Work("a.txt")), "old one\r\nold two\r\n");
}

// Runs over the same files are taken back newest first; an older one named by its
// identifier finds its files rewritten by the newer and leaves them, until the newer is
// taken back.
TEST_F(UndoCommandTest, AnOlderRunByItsIdentifier)
{
    ASSERT_EQ(Replace("old", "mid").status, 0);
    ASSERT_EQ(Replace("mid", "new").status, 0);
    const std::vector<std::string> ids = Ids(Run({"--runs"}).out);
    ASSERT_EQ(ids.size(), 2u);
    ASSERT_LT(ids[1], ids[0]);

    const Outcome early = Run({"--undo=" + ids[1]});
    EXPECT_EQ(early.status, 1);
    EXPECT_EQ(ReadBytes(Work("a.txt")), "new one\r\nnew two\r\n");

    EXPECT_EQ(Run({"--undo"}).status, 0);
    EXPECT_EQ(ReadBytes(Work("a.txt")), "mid one\r\nmid two\r\n");
    const Outcome older = Run({"--undo=" + ids[1]});
    EXPECT_EQ(older.status, 0) << older.out << older.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "old one\r\nold two\r\n");
    EXPECT_EQ(ReadBytes(Work("d/b.txt")), "an old line\n");
}

// What an undo cannot take along is refused before anything is touched.
TEST_F(UndoCommandTest, WrongRequestsTouchNothing)
{
    ASSERT_EQ(Replace("old", "new").status, 0);
    const struct {
        Arguments arguments;
        const char* says;
    } cases[] = {
        {{"--undo=../x"}, "takes the identifier of a run"},
        {{"--undo=20990101-000000"}, "no run 20990101-000000"},
        {{"--undo", "a.txt"}, "takes no files"},
        {{"--undo", "-Fa"}, "none of the options of a run"},
        {{"--runs", "--undo"}, "one at a time"},
        {{"--undo="}, "takes a value attached"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments[0];
        EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
    }
    EXPECT_EQ(ReadBytes(Work("a.txt")), "new one\r\nnew two\r\n");
    const Outcome preview = Run({"--undo", "-n"});
    EXPECT_EQ(preview.status, 0);
    EXPECT_EQ(ReadBytes(Work("a.txt")), "new one\r\nnew two\r\n");
}

// --no-undo, a preview and UndoRuns=0 keep no journal; a journal that cannot be made
// refuses the run before a file is touched, and --no-undo then runs without it.
TEST_F(UndoCommandTest, RunsThatKeepNoJournal)
{
    EXPECT_EQ(Replace("old", "new", {"--no-undo"}).status, 0);
    EXPECT_EQ(Replace("new", "x", {"-n"}).status, 0);
    const Outcome none = Run({"--undo"});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("no run to take back"), std::string::npos) << none.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "new one\r\nnew two\r\n");

    WriteBytes(home_ / "Tarvelox.ini", "[PROCESS]\r\nUndoRuns=0\r\n");
    EXPECT_EQ(Replace("new", "mid").status, 0);
    EXPECT_EQ(Run({"--undo"}).status, 2);

    WriteBytes(home_ / "Tarvelox.ini", "");
    WriteBytes(home_ / "state", "a file where the folder of runs belongs");
    const Outcome refused = Replace("mid", "old");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--no-undo runs without undo; nothing was changed"), std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "mid one\r\nmid two\r\n");
    EXPECT_EQ(Replace("mid", "old", {"--no-undo"}).status, 0);
    EXPECT_EQ(ReadBytes(Work("a.txt")), "old one\r\nold two\r\n");
}

// PROCESS/UndoRuns bounds the runs kept: the oldest go.
TEST_F(UndoCommandTest, TheOldestRunsGoBeyondTheBound)
{
    WriteBytes(home_ / "Tarvelox.ini", "[PROCESS]\r\nUndoRuns=2\r\n");
    std::string text = "old";
    for (const char* step : {"A", "B", "C"}) {
        ASSERT_EQ(Run({"-F" + text, std::string("-R") + step, "a.txt"}).status, 0);
        text = step;
    }
    const std::vector<std::string> ids = Ids(Run({"--runs"}).out);
    EXPECT_EQ(ids.size(), 2u);
    EXPECT_EQ(Run({"--undo"}).status, 0);
    EXPECT_EQ(Run({"--undo=" + ids[1]}).status, 0);
    EXPECT_EQ(ReadBytes(Work("a.txt")), "A one\r\nA two\r\n");
}
