#include "engine/run/RunReplace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <thread>

#include "engine/regex/BregexpLibrary.h"
#include "engine/run/ResultLog.h"
#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/support/RecordingObserver.h"
#include "tests/engine/support/SearchHook.h"
#include "tests/support/TestFiles.h"

namespace {

using Events = std::vector<std::string>;
using Folder = std::map<std::string, std::string>;

const std::string Nul("\0", 1);

// Each test runs in a fresh current folder and names its files relative to it, so that
// the log lines do not depend on where the folder is.
class RunReplaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    RunOutcome Run()
    {
        log.ResetLog();
        return RunReplace(job, log, observer);
    }

    // Every file in the folder with its content, so that leftovers show.
    Folder Contents() const
    {
        Folder files;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
            if (entry.is_regular_file())
                files[entry.path().filename().string()] = ReadBytes(entry.path().string());
        return files;
    }

    void Clear() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
            std::filesystem::remove_all(entry.path());
    }

    static void Write(const Folder& files)
    {
        for (const auto& [name, bytes] : files)
            WriteBytes(name, bytes);
    }

    TempFolder folder_;
    std::filesystem::path previous_;
    ReplaceJob job;
    ResultLog log;
    RecordingObserver observer;
};

}  // namespace

TEST_F(RunReplaceTest, SinglePatternRunLogsEveryFileAndShowsProgress)
{
    // A failed file has no temporary file of this run: what has that name is someone else's.
    Write({{"a.txt", "one two one"}, {"b.txt", "nothing"}, {"c.txt.tmp", "mine"}, {"d.txt", "one" + Nul},
           {"d.txt.tmp", "mine too"}});
    job.Files = {"a.txt", "b.txt", "c.txt", "d.txt"};
    job.Pattern = {"one", "1", 0};

    EXPECT_EQ(Run(), RunOutcome::Completed);

    EXPECT_EQ(Contents(), (Folder{{"a.txt", "1 two 1"},
                                  {"b.txt", "nothing"},
                                  {"c.txt.tmp", "mine"},
                                  {"d.txt", "one" + Nul},
                                  {"d.txt.tmp", "mine too"}}));
    EXPECT_EQ(log.Text(), ExpectedLog({{"a.txt", "       2"}, {"b.txt", "       0"}, {"c.txt", " NotOpen"}, {"d.txt", "  NoText"}},
                              "          2"));
    EXPECT_EQ(observer.Events(), (Events{"0/4", "0:a.txt=2", "1/4", "1:b.txt=0", "2/4", "2:c.txt=-1", "3/4", "3:d.txt=-3",
                                         "4/4"}));
}

TEST_F(RunReplaceTest, SinglePatternBackUpOnlyOfRewrittenFiles)
{
    Write({{"a.txt", "abc"}, {"a.txt.bak", "older"}, {"b.txt", "xyz"}});
    job.Files = {"a.txt", "b.txt"};
    job.Pattern = {"b", "BB", 0};
    job.BackUp = true;

    Run();

    EXPECT_EQ(Contents(), (Folder{{"a.txt", "aBBc"}, {"a.txt.bak", "abc"}, {"b.txt", "xyz"}}));
}

TEST_F(RunReplaceTest, FullAutomaticRunChainsThePatterns)
{
    for (const bool backUp : {false, true}) {
        SCOPED_TRACE(backUp);
        Clear();
        Write({{"a.txt", "ab"}, {"a.txt.bak", "older"}, {"b.txt", "zzz"}});
        job.Files = {"a.txt", "b.txt"};
        job.AllAuto = true;
        job.BackUp = backUp;
        job.Patterns = {{"a", "b", 0}, {"b", "c", 0}};

        EXPECT_EQ(Run(), RunOutcome::Completed);

        // The second pattern also rewrites what the first inserted; the backup holds the
        // content from before the whole run, also where nothing matched.
        const Folder expected = backUp ? Folder{{"a.txt", "cc"}, {"a.txt.bak", "ab"}, {"b.txt", "zzz"}, {"b.txt.bak", "zzz"}}
                                       : Folder{{"a.txt", "cc"}, {"a.txt.bak", "older"}, {"b.txt", "zzz"}};
        EXPECT_EQ(Contents(), expected);
        EXPECT_EQ(log.Text(), ExpectedLog({{"a.txt", "       3"}, {"b.txt", "       0"}}, "          3"));
        EXPECT_EQ(observer.Progress().back(), "2/2");
        // The backup is a file of its own, not a second name of the file.
        WriteBytes("b.txt", "edited in place");
        if (backUp) {
            EXPECT_EQ(ReadBytes("b.txt.bak"), "zzz");
        }
    }
}

TEST_F(RunReplaceTest, FullAutomaticFailureRestoresTheFileAndKeepsTheOlderBackUp)
{
    // The first pattern puts a NUL byte into a.txt, so the second finds no text in it;
    // e.txt cannot be replaced, so the text of both patterns is not put in place.
    Write({{"a.txt", "xay"}, {"a.txt.bak", "older"}, {"b.txt", "yy"}, {"c.txt", "a" + Nul}, {"e.txt", "yy"}});
    SetReadOnly("e.txt", true);
    job.Files = {"a.txt", "b.txt", "c.txt", "missing.txt", "e.txt"};
    job.AllAuto = true;
    job.BackUp = true;
    job.Patterns = {{"a", Nul, 0}, {"y", "z", 0}};

    Run();
    SetReadOnly("e.txt", false);

    EXPECT_EQ(Contents(), (Folder{{"a.txt", "xay"},
                                  {"a.txt.bak", "older"},
                                  {"b.txt", "zz"},
                                  {"b.txt.bak", "yy"},
                                  {"c.txt", "a" + Nul},
                                  {"e.txt", "yy"}}));
    EXPECT_EQ(log.Text(), ExpectedLog({{"a.txt", "  NoText"}, {"b.txt", "       2"}, {"c.txt", "  NoText"},
                               {"missing.txt", " NotOpen"}, {"e.txt", "WriteErr"}},
                              "          2"));
}

TEST_F(RunReplaceTest, FullAutomaticRunWithAnEmptyReplaceList)
{
    for (const bool backUp : {false, true}) {
        SCOPED_TRACE(backUp);
        Clear();
        Write({{"a.txt", "text"}, {"b.txt", ""}});
        job.Files = {"a.txt", "b.txt"};
        job.AllAuto = true;
        job.BackUp = backUp;

        Run();

        const Folder expected = backUp ? Folder{{"a.txt", "text"}, {"a.txt.bak", "text"}, {"b.txt", ""}, {"b.txt.bak", ""}}
                                       : Folder{{"a.txt", "text"}, {"b.txt", ""}};
        EXPECT_EQ(Contents(), expected);
        EXPECT_EQ(log.Text(), ExpectedLog({{"a.txt", "       0"}, {"b.txt", "       0"}}, "          0"));
    }
}

TEST_F(RunReplaceTest, EmptyFileListEndsAtOnce)
{
    EXPECT_EQ(Run(), RunOutcome::Completed);
    EXPECT_EQ(log.Text(), ExpectedLog({}, "          0"));
    EXPECT_EQ(observer.Events(), Events{"0/0"});
}

// Each result carries its place in the list, so that a file named twice is told apart.
TEST_F(RunReplaceTest, ResultsCarryTheirPlaceInTheList)
{
    Write({{"a.txt", "aa"}});
    job.Files = {"a.txt", "b.txt", "a.txt"};
    job.Pattern = {"a", "b", 0};

    RunOutcome outcome = RunReplace(job, observer);

    EXPECT_EQ(outcome, RunOutcome::Completed);
    EXPECT_EQ(observer.Events(), (Events{"0/3", "0:a.txt=2", "1/3", "1:b.txt=-1", "2/3", "2:a.txt=0", "3/3"}));
    EXPECT_EQ(Contents(), (Folder{{"a.txt", "bb"}}));
}

TEST_F(RunReplaceTest, RegularExpressionWithoutTheLibraryLeavesAnotherTemporaryFileAlone)
{
    Write({{"f.txt", "x.y"}, {"f.txt.tmp", "mine"}});
    job.Files = {"f.txt"};
    job.Pattern = {".", "Z", RegularExpression};

    Run();

    EXPECT_EQ(Contents(), (Folder{{"f.txt", "x.y"}, {"f.txt.tmp", "mine"}}));
    EXPECT_EQ(log.Text(), ExpectedLog({{"f.txt", "RegExpER"}}, "          0"));
}

// However often and under whatever names the list holds a file, a run rewrites it once: a
// replacement that holds its find text is never applied to its own output, and the backup
// holds the content from before the run.
TEST_F(RunReplaceTest, OneFileIsRewrittenOncePerRun)
{
    for (const auto& [allAuto, workers] : {std::pair{false, 1}, {true, 1}, {false, 4}, {true, 4}}) {
        SCOPED_TRACE(testing::Message() << allAuto << " " << workers);
        job.Workers = workers;
        Clear();
        MakeFolder("news");
        Write({{"news/page.htm", "Copyright 2023"}, {"b.txt", "Copyright"}, {"b.txt.bak", "older"}});
        std::filesystem::create_hard_link("news/page.htm", "second-name.htm");
        job.Files = {"news/page.htm", "b.txt", "news/../news/page.htm", "second-name.htm", "./b.txt", "b.txt"};
        job.Pattern = {"Copyright", "Copyright (C)", 0};
        job.Patterns = {job.Pattern, {"2023", "2024", 0}};
        job.AllAuto = allAuto;
        job.BackUp = true;

        Run();

        const std::string page = allAuto ? "Copyright (C) 2024" : "Copyright (C) 2023";
        EXPECT_EQ(ReadBytes("news/page.htm"), page);
        EXPECT_EQ(ReadBytes("news/page.htm.bak"), "Copyright 2023");
        EXPECT_EQ(ReadBytes("b.txt"), "Copyright (C)");
        EXPECT_EQ(ReadBytes("b.txt.bak"), "Copyright");
        // The second name still leads to the old file, which the run has taken already.
        EXPECT_EQ(ReadBytes("second-name.htm"), "Copyright 2023");
        EXPECT_FALSE(FileExists("second-name.htm.bak"));
        const char* pageCount = allAuto ? "       2" : "       1";
        EXPECT_EQ(log.Text(), ExpectedLog({{"news/page.htm", pageCount},
                                           {"b.txt", "       1"},
                                           {"news/../news/page.htm", "       0"},
                                           {"second-name.htm", "       0"},
                                           {"./b.txt", "       0"},
                                           {"b.txt", "       0"}},
                                          allAuto ? "          3" : "          2"));
        std::filesystem::remove_all("news");
    }
}

TEST_F(RunReplaceTest, LiteralReplaceListRunsWithoutTheLibrary)
{
    Write({{"a.txt", "abc"}});
    job.Files = {"a.txt"};
    job.AllAuto = true;
    job.Patterns = {{"a", "x", 0}, {"b", "y", NotCase}};

    EXPECT_EQ(Run(), RunOutcome::Completed);

    EXPECT_EQ(Contents(), (Folder{{"a.txt", "xyc"}}));
}

TEST_F(RunReplaceTest, RegularExpressionListRunsWithTheLibrary)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    Write({{"a.txt", "aab"}});
    job.Files = {"a.txt"};
    job.AllAuto = true;
    job.RegexLibrary = &library;
    job.Patterns = {{"a+", "<$0>", RegularExpression}, {"b", "c", 0}};

    EXPECT_EQ(Run(), RunOutcome::Completed);

    EXPECT_EQ(Contents(), (Folder{{"a.txt", "<aa>c"}}));
    EXPECT_EQ(log.Text(), ExpectedLog({{"a.txt", "       2"}}, "          2"));
}

TEST_F(RunReplaceTest, AbortBetweenFilesStartsNoFurtherFile)
{
    Write({{"1.txt", "a"}, {"2.txt", "a"}, {"3.txt", "a"}, {"4.txt", "a"}, {"5.txt", "a"}});
    job.Files = {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"};
    job.Pattern = {"a", "b", 0};
    observer.HoldAt("2/5");

    RunOutcome outcome = RunOutcome::Completed;
    std::thread worker([&] { outcome = Run(); });
    observer.WaitFor("2/5");
    job.AbortRequested = true;
    observer.Release();
    worker.join();

    EXPECT_EQ(outcome, RunOutcome::Aborted);
    EXPECT_EQ(observer.Events(), (Events{"0/5", "0:1.txt=1", "1/5", "1:2.txt=1", "2/5"}));
    EXPECT_EQ(log.Text(), ExpectedLog({{"1.txt", "       1"}, {"2.txt", "       1"}}, "          2"));
    EXPECT_EQ(Contents(), (Folder{{"1.txt", "b"}, {"2.txt", "b"}, {"3.txt", "a"}, {"4.txt", "a"}, {"5.txt", "a"}}));
}

TEST_F(RunReplaceTest, AbortInsideAFullAutomaticFileCancelsAndRestoresIt)
{
    // The abort comes during the second file's search for the expression, after its first
    // pattern has already been applied.
    Write({{"1.txt", "a"}, {"2.txt", "ab"}, {"3.txt", "a"}});
    job.Files = {"1.txt", "2.txt", "3.txt"};
    job.AllAuto = true;
    job.Patterns = {{"a", "x", 0}, {"b", "y", RegularExpression}};
    BregexpLibrary library;
    ASSERT_TRUE(LoadWithSearchHook(library, 2, [&] { job.AbortRequested = true; }));
    job.RegexLibrary = &library;

    EXPECT_EQ(Run(), RunOutcome::Aborted);

    EXPECT_EQ(log.Text(), ExpectedLog({{"1.txt", "       1"}, {"2.txt", "  Cancel"}}, "          1"));
    EXPECT_EQ(Contents(), (Folder{{"1.txt", "x"}, {"2.txt", "ab"}, {"3.txt", "a"}}));
    EXPECT_EQ(observer.Events(), (Events{"0/3", "0:1.txt=1", "1/3", "1:2.txt=-5"}));
}

// Whatever the number of workers, the observer hears the same results and progress in list
// order, and the log is the same byte for byte: failures, names of one file, all of it.
TEST_F(RunReplaceTest, AnyNumberOfWorkersTellsWhatOneWorkerTells)
{
    std::map<unsigned, std::pair<Events, std::string>> told;
    for (const unsigned workers : {1u, 2u, 5u}) {
        Clear();
        job.Files.clear();
        for (int i = 0; i < 60; ++i) {
            const std::string name = std::to_string(i) + ".txt";
            if (i % 7 != 3)
                WriteBytes(name, std::string(static_cast<std::size_t>(i * 97), 'a') + (i % 2 ? "b" : ""));
            job.Files.push_back(name);
            if (i % 10 == 5)
                job.Files.push_back("./" + name);
        }
        job.Pattern = {"b", "c", 0};
        job.Workers = static_cast<int>(workers);
        RecordingObserver heard;
        log.ResetLog();

        EXPECT_EQ(RunReplace(job, log, heard), RunOutcome::Completed);

        told[workers] = {heard.Events(), log.Text()};
        EXPECT_EQ(ReadBytes("5.txt"), std::string(5 * 97, 'a') + "c");
    }
    EXPECT_EQ(told[2], told[1]);
    EXPECT_EQ(told[5], told[1]);
}

// An abort stops every worker: no file is started after it, the files in progress end,
// and what the log holds is a beginning of the list, each file in it done.
TEST_F(RunReplaceTest, AbortStopsEveryWorker)
{
    // More files than the workers may run ahead of the files handed on, so that the held
    // deliverer keeps them from reaching the end before the abort.
    job.Files.clear();
    for (int i = 0; i < 800; ++i) {
        job.Files.push_back(std::to_string(i) + ".txt");
        WriteBytes(job.Files.back(), "a");
    }
    job.Pattern = {"a", "b", 0};
    job.Workers = 3;
    observer.HoldAt("2/800");

    RunOutcome outcome = RunOutcome::Completed;
    std::thread worker([&] { outcome = Run(); });
    observer.WaitFor("2/800");
    job.AbortRequested = true;
    observer.Release();
    worker.join();

    EXPECT_EQ(outcome, RunOutcome::Aborted);
    std::map<std::string, std::string> results;
    for (const std::string& event : observer.Events())
        if (const std::size_t colon = event.find(':'); colon != std::string::npos)
            results[event.substr(colon + 1, event.find('=') - colon - 1)] = event.substr(event.find('=') + 1);
    EXPECT_LT(results.size(), job.Files.size());
    // A file taken before the abort is done (1) or, stopped inside, left as it was (Cancel).
    for (std::size_t i = 0; i < job.Files.size(); ++i) {
        const std::string& name = job.Files[i];
        const bool logged = i < results.size();
        EXPECT_EQ(results.count(name), logged ? 1u : 0u) << name;
        EXPECT_EQ(ReadBytes(name), logged && results[name] == "1" ? "b" : "a") << name;
        if (logged) {
            EXPECT_TRUE(results[name] == "1" || results[name] == std::to_string(Cancel)) << name;
        }
    }
}

// An observer that fails stops the run with its exception, once every worker has stopped.
TEST_F(RunReplaceTest, AFailingObserverStopsEveryWorker)
{
    class Failing final : public RunObserver {
        void OnFileResult(const FileReport& file) override
        {
            if (file.Index == 3)
                throw std::runtime_error("full");
        }
    } failing;
    job.Files.clear();
    for (int i = 0; i < 400; ++i) {
        job.Files.push_back(std::to_string(i) + ".txt");
        WriteBytes(job.Files.back(), "a");
    }
    job.Pattern = {"a", "b", 0};
    job.Workers = 4;

    EXPECT_THROW(RunReplace(job, failing), std::runtime_error);

    // Nothing runs on: the files left now stay as they are.
    const Folder after = Contents();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Contents(), after);
    EXPECT_EQ(ReadBytes("399.txt"), "a");
}

// A step whose new text is empty hands the next step that empty text, never an older
// step's text; literal and regular-expression steps alike.
TEST_F(RunReplaceTest, AStepThatEmptiesTheTextHandsOnTheEmptyText)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    job.RegexLibrary = &library;
    job.AllAuto = true;
    const PatternOptions expression = RegularExpression;
    for (const PatternOptions emptying : {expression, PatternOptions{0}}) {
        Clear();
        Write({{"a.txt", "abc"}});
        job.Files = {"a.txt"};
        job.Patterns = {{"abc", "ABC", expression}, {"B", "b", expression}, {"AbC", "", emptying},
                        {"zzz", "yyy", expression}};

        EXPECT_EQ(Run(), RunOutcome::Completed);

        EXPECT_EQ(Contents(), (Folder{{"a.txt", ""}})) << "emptying step options " << emptying;
    }
}

// With backups, a listed file that is the backup of another listed file is left as it is,
// whatever the number of workers: never rewritten, never backed up in turn.
TEST_F(RunReplaceTest, ABackupListedWithItsFileIsLeftAlone)
{
    std::map<int, std::pair<Folder, std::string>> outcomes;
    for (const int workers : {1, 2, 4}) {
        Clear();
        Write({{"a.txt", "old"}, {"a.txt.bak", "old, from before"}, {"b.txt.bak", "old too"}});
        job.Files = {"a.txt.bak", "a.txt", "b.txt.bak"};
        job.Pattern = {"old", "new", 0};
        job.BackUp = true;
        job.Workers = workers;

        Run();

        outcomes[workers] = {Contents(), log.Text()};
    }
    EXPECT_EQ(outcomes[1].first,
              (Folder{{"a.txt", "new"}, {"a.txt.bak", "old"}, {"b.txt.bak", "new too"}, {"b.txt.bak.bak", "old too"}}));
    EXPECT_EQ(outcomes[1].second,
              ExpectedLog({{"a.txt.bak", "  Backup"}, {"a.txt", "       1"}, {"b.txt.bak", "       1"}}, "          2"));
    EXPECT_EQ(outcomes[2], outcomes[1]);
    EXPECT_EQ(outcomes[4], outcomes[1]);
}
