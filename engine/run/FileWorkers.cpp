#include "engine/run/FileWorkers.h"

#include <algorithm>
#include <array>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/OpenFiles.h"
#include "platform/ThreadPriority.h"

namespace {

// The outcomes wait to be handed on until this many are there in a row, so that a flush
// (a wait for the disk, while the other workers go on) is shared by that many files; or
// until the files handed on last were handed on this long ago, so that a count shown and
// the files a slow run has made follow its progress.
constexpr std::size_t GroupSize = 128;
constexpr std::uint64_t MostWaitMicroseconds = 20000;
// How many files the workers may be ahead of the outcomes handed on: what is made while a
// group waits for the disk joins the next group, so that a slow disk gets larger groups
// and fewer flushes. Each file made and waiting holds its new file open: at most half of
// what the process may hold open.
constexpr std::size_t MostAhead = 512;

std::size_t FilesAhead(unsigned workers)
{
    const std::size_t wanted = std::max<std::size_t>(4 * static_cast<std::size_t>(workers), MostAhead);
    return std::max<std::size_t>(std::min(wanted, platform::OpenFilesAtMost() / 2), 2 * static_cast<std::size_t>(workers));
}

std::size_t WorkAlone(std::size_t count, const FileWork& work)
{
    std::size_t index = 0;
    for (; index < count && work.GoOn(); ++index) {
        if (work.Prepare)
            work.Prepare(index);
        FileOutcome outcome = work.Work(index, work.Take(index));
        if (work.Settle)
            work.Settle(std::span<FileOutcome* const>(std::array<FileOutcome*, 1>{&outcome}));
        work.Deliver(index, outcome);
    }
    return index;
}

// The files handed out and the outcomes waiting for the files before them. Whichever
// worker finds the next outcome in list order there hands it on, one worker at a time, so
// that no thread does nothing but wait and no file waits for a thread to wake. A file's
// work costs little more than a few calls of the system, so the workers meet through
// atomic counters and flags and sleep only while the one handing on outcomes is held up.
class SharedFiles {
public:
    SharedFiles(std::size_t count, unsigned workers, const FileWork& work)
        : work_(work), count_(count), ahead_(FilesAhead(workers)),
          outcomes_(std::make_unique<Slot[]>(count))
    {
    }

    void RunWorker()
    {
        try {
            while (const std::optional<TakenFile> file = TakeNext())
                Finish(file->Index, work_.Work(file->Index, file->Taken));
            HandOnWhatIsReady();
        } catch (...) {
            Stop(std::current_exception());
        }
    }

    std::size_t Delivered() const { return delivered_.load(); }
    void ThrowFailure() const
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    struct TakenFile {
        std::size_t Index;
        bool Taken;
    };

    struct Slot {
        std::atomic<bool> Ready{false};
        FileOutcome Outcome;
    };

    // The next file in list order with its Take, called in list order: each worker
    // prepares its file, then waits for the one before to have taken its file, which
    // costs no call of the system.
    // Once the run is to stop, no file is taken any more, so the files taken are always
    // the first ones of the list.
    std::optional<TakenFile> TakeNext()
    {
        WaitForRoom();
        if (stopped_.load() || !work_.GoOn())
            return std::nullopt;
        const std::size_t index = next_.fetch_add(1);
        if (index >= count_)
            return std::nullopt;
        // A failure to prepare waits for the file's turn, so that the workers after this
        // one are not left waiting for it.
        std::exception_ptr unprepared;
        try {
            if (work_.Prepare)
                work_.Prepare(index);
        } catch (...) {
            unprepared = std::current_exception();
        }
        WaitForTurn(index);
        struct TurnPasser {
            SharedFiles& Files;
            std::size_t Next;
            ~TurnPasser() { Files.PassTurn(Next); }
        } pass{*this, index + 1};
        // A failure stops the run before the turn is passed on, so that no file after
        // this one is taken.
        try {
            if (unprepared)
                std::rethrow_exception(unprepared);
            if (stopped_.load() || !work_.GoOn())
                return std::nullopt;
            return TakenFile{index, work_.Take(index)};
        } catch (...) {
            Stop(std::current_exception());
            return std::nullopt;
        }
    }

    // The turn comes soon as a rule: a few looks, then the worker sleeps until the turn
    // moves, so that waiting workers (more of them than processors) never keep the one
    // whose turn it is from running. The sleep is a condition variable, not the atomic's
    // own wait: the runtime library of the Windows build lost a wake-up there, and the
    // run stood still after its first file.
    void WaitForTurn(std::size_t index)
    {
        constexpr int Looks = 64;
        for (int look = 0; look < Looks; ++look) {
            if (takeTurn_.load() == index)
                return;
            std::this_thread::yield();
        }
        std::unique_lock lock(turnMutex_);
        ++turnWaiting_;
        turnMoved_.wait(lock, [&] { return takeTurn_.load() == index; });
        --turnWaiting_;
    }

    // A sleeper counted before it looked at the turn is woken under the lock, after it
    // began to wait; one counted after the turn moved sees the new turn when it looks.
    void PassTurn(std::size_t next)
    {
        takeTurn_.store(next);
        if (turnWaiting_.load() > 0) {
            std::lock_guard lock(turnMutex_);
            turnMoved_.notify_all();
        }
    }

    // Never far ahead of the outcomes handed on: while the one who hands them on waits (for
    // a window to show a count), the others wait too, and an abort then finds the files as
    // the count says.
    void WaitForRoom()
    {
        if (next_.load() < delivered_.load() + ahead_)
            return;
        // Nothing else to do: the outcomes there are handed on first, unless another
        // worker does it.
        HandOnWhatIsReady();
        std::unique_lock lock(roomMutex_);
        ++waiting_;
        room_.wait(lock, [&] { return stopped_.load() || next_.load() < delivered_.load() + ahead_; });
        --waiting_;
    }

    void Finish(std::size_t index, FileOutcome outcome)
    {
        outcomes_[index].Outcome = std::move(outcome);
        outcomes_[index].Ready.store(true);
        if (TimeToHandOn())
            HandOnWhatIsReady();
    }

    // Whether the outcomes there are to be handed on now: a group is there, the workers
    // are about to run out of room or of files, or the last ones went a while ago.
    bool TimeToHandOn() const
    {
        const std::size_t next = next_.load();
        const std::size_t delivered = delivered_.load();
        if (!work_.Settle || stopped_.load() || next >= count_ || next >= delivered + ahead_ || !work_.GoOn())
            return true;
        std::size_t ready = 0;
        while (ready < GroupSize && delivered + ready < count_ && outcomes_[delivered + ready].Ready.load())
            ++ready;
        return ready == GroupSize || platform::MonotonicMicroseconds() - handedOnAt_.load() >= MostWaitMicroseconds;
    }

    void HandOnWhatIsReady()
    {
        // Whoever hands outcomes on looks again after it stops, so that an outcome made
        // meanwhile is never left behind.
        while (!delivering_.exchange(true)) {
            DeliverWhatIsReady();
            delivering_.store(false);
            const std::size_t next = delivered_.load();
            if (stopped_.load() || next >= count_ || !outcomes_[next].Ready.load() || !TimeToHandOn())
                break;
        }
    }

    // Only one worker at a time, while it holds `delivering_`.
    void DeliverWhatIsReady()
    {
        std::size_t settled = delivered_.load();
        for (std::size_t index = delivered_.load(); !stopped_.load() && index < count_ && outcomes_[index].Ready.load();
             ++index) {
            try {
                // What came while a group was settled waits to be a group of its own.
                if (index == settled) {
                    if (!TimeToHandOn())
                        break;
                    settled = SettleFrom(index);
                }
                work_.Deliver(index, outcomes_[index].Outcome);
            } catch (...) {
                delivering_.store(false);
                throw;
            }
            delivered_.store(index + 1);
            handedOnAt_.store(platform::MonotonicMicroseconds());
            if (waiting_.load() > 0) {
                std::lock_guard lock(roomMutex_);
                room_.notify_all();
            }
        }
    }

    // The outcomes there in a row from `first`, settled together; returns the index after
    // them. Those found there later are settled with the next ones.
    std::size_t SettleFrom(std::size_t first)
    {
        std::size_t end = first;
        while (end < count_ && outcomes_[end].Ready.load())
            ++end;
        if (!work_.Settle)
            return end;
        settling_.clear();
        for (std::size_t index = first; index < end; ++index)
            settling_.push_back(&outcomes_[index].Outcome);
        work_.Settle(settling_);
        return end;
    }

    void Stop(std::exception_ptr failure)
    {
        {
            std::lock_guard lock(roomMutex_);
            if (!failure_)
                failure_ = failure;
            stopped_.store(true);
        }
        room_.notify_all();
    }

    const FileWork& work_;
    const std::size_t count_;
    const std::size_t ahead_;
    std::unique_ptr<Slot[]> outcomes_;
    std::vector<FileOutcome*> settling_;  // only the one handing outcomes on
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> takeTurn_{0};
    std::atomic<std::size_t> delivered_{0};
    std::atomic<std::uint64_t> handedOnAt_{platform::MonotonicMicroseconds()};
    std::atomic<bool> delivering_{false};
    std::atomic<bool> stopped_{false};
    std::atomic<unsigned> waiting_{0};
    std::mutex roomMutex_;
    std::condition_variable room_;
    std::atomic<unsigned> turnWaiting_{0};
    std::mutex turnMutex_;
    std::condition_variable turnMoved_;
    std::exception_ptr failure_;
};

}  // namespace

std::size_t WorkOnFiles(std::size_t count, unsigned workers, const FileWork& work)
{
    if (workers <= 1)
        return WorkAlone(count, work);
    SharedFiles files(count, workers, work);
    {
        // The calling thread is one of the workers; the others run at its priority.
        const int priority = platform::CurrentThreadPriority();
        std::vector<std::jthread> threads;
        threads.reserve(workers - 1);
        for (unsigned i = 1; i < workers; ++i)
            threads.emplace_back([&files, priority] {
                platform::SetCurrentThreadPriority(priority);
                files.RunWorker();
            });
        files.RunWorker();
    }
    files.ThrowFailure();
    return files.Delivered();
}

unsigned WorkerCount(int wanted, std::size_t files)
{
    // One worker per processor: more of them wait for each other's turn, and did not make
    // the flushes before each rename overlap enough to pay for that (measured on a disk and
    // in memory, 10,000 files of 4 KiB).
    unsigned count = wanted > 0 ? static_cast<unsigned>(wanted) : std::thread::hardware_concurrency();
    if (count == 0)
        count = 1;
    return files < count ? static_cast<unsigned>(files > 0 ? files : 1) : count;
}
