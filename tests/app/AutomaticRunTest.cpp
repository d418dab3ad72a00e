#include "app/AutomaticRun.h"

#include <gtest/gtest.h>

#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/support/RunInFolder.h"

namespace {

// Runs in a fresh current folder, where "replace.log" goes.
class AutomaticRunTest : public RunInFolderTest {
protected:
    AutomaticRunStatus RunAutomatically(bool namesPassedOver = false)
    {
        return RunAutomatic(job, namesPassedOver, log, observer);
    }
};

}  // namespace

TEST_F(AutomaticRunTest, WritesTheLogFileAndTellsWhetherAFileFailed)
{
    WriteBytes("a.txt", "aaa");
    WriteBytes("replace.log", "an older and much longer log that the run must truncate");
    job.Pattern = {"a", "b", 0};
    const struct {
        std::vector<std::string> files;
        bool namesPassedOver;
        AutomaticRunStatus status;
        std::string log;
    } cases[] = {
        {{"a.txt", "gone.txt"}, false, SomeFileFailed,
         ExpectedLog({{"a.txt", "       3"}, {"gone.txt", " NotOpen"}}, "          3")},
        {{"a.txt"}, false, EveryFileProcessed, ExpectedLog({{"a.txt", "       0"}}, "          0")},
        // A name given that named nothing is no success, though every listed file was done.
        {{}, true, SomeFileFailed, ExpectedLog({}, "          0")},
        {{}, false, EveryFileProcessed, ExpectedLog({}, "          0")},
    };
    for (const auto& c : cases) {
        job.Files = c.files;
        EXPECT_EQ(RunAutomatically(c.namesPassedOver), c.status) << c.log;
        EXPECT_EQ(ReadBytes("replace.log"), c.log);
        EXPECT_EQ(log.Text(), c.log);
    }
    EXPECT_EQ(ReadBytes("a.txt"), "bbb");
    EXPECT_EQ(observer.Progress(), (std::vector<std::string>{"0/2", "1/2", "2/2", "0/1", "1/1", "0/0", "0/0"}));
}

TEST_F(AutomaticRunTest, ALogFileThatCannotBeWrittenMeansTheRunWasNotCarriedOut)
{
    MakeFolder("replace.log");
    WriteBytes("a.txt", "aaa");
    job.Files = {"a.txt"};
    job.Pattern = {"a", "b", 0};

    EXPECT_EQ(RunAutomatically(), RunNotCarriedOut);

    // The files were rewritten all the same; only the log file is missing.
    EXPECT_EQ(ReadBytes("a.txt"), "bbb");
    EXPECT_EQ(log.Text(), ExpectedLog({{"a.txt", "       3"}}, "          3"));
}
