#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <future>
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
        return FileOutcome{preparedHere ? 1 : -1, {}, nullptr, {}};
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

// Many more workers than processors, each made to sleep for its turn by a take that is
// slow now and then: every turn passed wakes its sleeper, and every run ends. A wake-up
// lost once stood a run still after its first file.
TEST(FileWorkers, EveryRunEndsWhenWorkersSleepForTheirTurn)
{
    for (int round = 0; round < 100; ++round) {
        FileWork work;
        work.GoOn = [] { return true; };
        work.Take = [](std::size_t index) {
            if (index % 3 == 0)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            return true;
        };
        work.Work = [](std::size_t, bool) { return FileOutcome{}; };
        work.Deliver = [](std::size_t, const FileOutcome&) {};
        std::packaged_task<std::size_t()> run([&work] { return WorkOnFiles(12, 8, work); });
        std::future<std::size_t> ended = run.get_future();
        std::thread(std::move(run)).detach();
        if (ended.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            std::fprintf(stderr, "round %d: the workers stood still\n", round);
            std::abort();
        }
        ASSERT_EQ(ended.get(), 12u) << round;
    }
}

// Every outcome is settled once, with the others there in a row after those handed on,
// before it is handed on itself; the rows follow the list.
TEST(FileWorkers, OutcomesAreSettledInRowsBeforeTheyAreHandedOn)
{
    for (const unsigned workers : {1u, 4u}) {
        constexpr std::size_t count = 400;
        std::vector<int> settled(count), deliveredSettled(count);
        std::size_t nextSettled = 0, rows = 0;
        FileWork work;
        work.GoOn = [] { return true; };
        work.Take = [](std::size_t) { return true; };
        // Every seventh file waits for the next one's work to end (with several workers
        // another one has it), so that outcomes are there in a row behind it.
        std::vector<std::atomic<bool>> worked(count);
        work.Work = [&, workers](std::size_t index, bool) {
            if (workers > 1 && index % 7 == 0 && index + 1 < count)
                for (int look = 0; look < 1000000 && !worked[index + 1].load(); ++look)
                    std::this_thread::yield();
            worked[index].store(true);
            FileOutcome outcome;
            outcome.Result = static_cast<FileResult>(index);
            return outcome;
        };
        work.Settle = [&](std::span<FileOutcome* const> outcomes) {
            ++rows;
            for (FileOutcome* outcome : outcomes) {
                EXPECT_EQ(outcome->Result, static_cast<FileResult>(nextSettled));
                ++settled[nextSettled++];
            }
        };
        work.Deliver = [&](std::size_t index, const FileOutcome&) { deliveredSettled[index] = settled[index]; };
        ASSERT_EQ(WorkOnFiles(count, workers, work), count);
        EXPECT_EQ(settled, std::vector<int>(count, 1)) << workers;
        EXPECT_EQ(deliveredSettled, std::vector<int>(count, 1)) << workers;
        if (workers == 1)
            EXPECT_EQ(rows, count);
        else
            EXPECT_LT(rows, count);
    }
}

// Quick files are settled in large rows, so that a flush before their renames is shared by
// many: not a row each time a few are there. A row never holds more than the workers may
// be ahead.
TEST(FileWorkers, QuickFilesAreSettledInLargeRows)
{
    constexpr std::size_t count = 4000;
    std::vector<std::size_t> rows;
    FileWork work;
    work.GoOn = [] { return true; };
    work.Take = [](std::size_t) { return true; };
    work.Work = [](std::size_t, bool) { return FileOutcome{}; };
    work.Settle = [&](std::span<FileOutcome* const> outcomes) { rows.push_back(outcomes.size()); };
    work.Deliver = [](std::size_t, const FileOutcome&) {};
    ASSERT_EQ(WorkOnFiles(count, 4, work), count);
    std::size_t settled = 0;
    for (const std::size_t row : rows) {
        settled += row;
        EXPECT_LE(row, 512u);
    }
    EXPECT_EQ(settled, count);
    EXPECT_LE(rows.size(), count / 32) << "rows of " << count / rows.size() << " on average";
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
