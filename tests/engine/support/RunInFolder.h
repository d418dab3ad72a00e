#pragma once
// A run in a fresh current folder, so that its log names the files as they were listed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/rewrite/ReplaceJob.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunReplace.h"
#include "tests/engine/support/RecordingObserver.h"
#include "tests/support/TestFiles.h"

class RunInFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    // The log's text after a run of the job.
    std::string Run()
    {
        log.ResetLog();
        RunReplace(job, log, observer);
        return log.Text();
    }

    TempFolder folder;
    ReplaceJob job;
    ResultLog log;
    RecordingObserver observer;

private:
    std::filesystem::path previous_;
};
