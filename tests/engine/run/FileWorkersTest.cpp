#include <gtest/gtest.h>

#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "engine/run/FileWorkers.h"
#include "engine/rewrite/ProcessedFiles.h"

namespace {

// Each file is prepared by the thread that then takes it and works on it, before it is
// taken; takes come in list order whatever the thread.
TEST(FileWorkers, EachFileIsPreparedByItsWorkerBeforeItIsTakenInListOrder)
{
    constexpr std::size_t count = 500;
    std::vector<std::thread::id> preparedBy(count), workedBy(count);
    std::vector<std::size_t> taken, delivered;
    std::mutex mutex;
    FileWork work;
    work.GoOn = [] { return true; };
    work.Prepare = [&](std::size_t index) { preparedBy[index] = std::this_thread::get_id(); };
    work.Take = [&](std::size_t index) {
        const std::lock_guard lock(mutex);
        taken.push_back(index);
        return preparedBy[index] == std::this_thread::get_id();
    };
    work.Work = [&](std::size_t index, bool preparedHere) {
        workedBy[index] = std::this_thread::get_id();
        return FileOutcome{preparedHere ? 1 : -1, {}};
    };
    work.Deliver = [&](std::size_t index, const FileOutcome& outcome) {
        EXPECT_EQ(outcome.Result, 1) << index;
        delivered.push_back(index);
    };

    EXPECT_EQ(WorkOnFiles(count, 3, work), count);

    ASSERT_EQ(taken.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(taken[i], i);
        EXPECT_EQ(delivered[i], i);
        EXPECT_EQ(workedBy[i], preparedBy[i]) << i;
    }
}

// A failure to prepare a file ends the run with that failure: the workers waiting for
// their turn behind it are not left waiting, and no file after it is taken.
TEST(FileWorkers, AFailureToPrepareStopsTheRunWithoutLeavingAWorkerWaiting)
{
    for (const unsigned workers : {1u, 2u, 4u}) {
        std::vector<std::size_t> taken;
        std::mutex mutex;
        FileWork work;
        work.GoOn = [] { return true; };
        work.Prepare = [](std::size_t index) {
            if (index == 37)
                throw std::runtime_error("no memory");
        };
        work.Take = [&](std::size_t index) {
            const std::lock_guard lock(mutex);
            taken.push_back(index);
            return true;
        };
        work.Work = [](std::size_t, bool) { return FileOutcome{}; };
        work.Deliver = [](std::size_t, const FileOutcome&) {};

        EXPECT_THROW(WorkOnFiles(200, workers, work), std::runtime_error) << workers;

        ASSERT_EQ(taken.size(), 37u) << workers;
        for (std::size_t i = 0; i < taken.size(); ++i)
            EXPECT_EQ(taken[i], i);
    }
}

}  // namespace

// A claim names the file as it was read: one that another program put under a freed
// identity since (a new file given a freed inode number), or changed, is another file.
TEST(ProcessedFiles, AClaimDoesNotOutliveTheFileItNames)
{
    ProcessedFiles processed;
    const platform::FileStamp read{1, 42, 100, 5000};
    EXPECT_TRUE(processed.Claim(read));
    EXPECT_FALSE(processed.Claim(read));  // the same file under another name
    EXPECT_TRUE(processed.Claim({1, 42, 100, 7000}));  // a new file under the freed number
    EXPECT_TRUE(processed.Claim({1, 42, 120, 5000}));
    EXPECT_TRUE(processed.Claim({2, 42, 100, 5000}));  // another volume
}
