#include "engine/FileWorkers.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

std::size_t WorkAlone(std::size_t count, const FileWork& work)
{
    std::size_t index = 0;
    for (; index < count && work.GoOn(); ++index)
        work.Deliver(index, work.Work(index, work.Take(index)));
    return index;
}

// The files handed out and the outcomes waiting for the files before them.
class SharedFiles {
public:
    SharedFiles(std::size_t count, unsigned workers, const FileWork& work)
        : work_(work), outcomes_(count), ahead_(2 * static_cast<std::size_t>(workers))
    {
    }

    void RunWorker()
    {
        try {
            for (;;) {
                std::size_t index;
                bool taken;
                {
                    // No further ahead of the files handed on than a few a worker, so that
                    // an abort finds little begun and few outcomes wait.
                    std::unique_lock lock(mutex_);
                    room_.wait(lock, [&] { return stopped_ || next_ < delivered_ + ahead_; });
                    if (stopped_ || next_ == outcomes_.size() || !work_.GoOn())
                        break;
                    index = next_++;
                    taken = work_.Take(index);
                }
                FileOutcome outcome = work_.Work(index, taken);
                std::lock_guard lock(mutex_);
                outcomes_[index] = std::move(outcome);
                ready_.notify_all();
            }
        } catch (...) {
            Stop(std::current_exception());
        }
        std::lock_guard lock(mutex_);
        ++finishedWorkers_;
        ready_.notify_all();
    }

    // Hands every outcome on in list order until `workers` workers have finished.
    std::size_t DeliverInOrder(unsigned workers)
    {
        for (;;) {
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [&] {
                return (delivered_ < next_ && outcomes_[delivered_]) || finishedWorkers_ == workers;
            });
            if (delivered_ == next_ || !outcomes_[delivered_])
                break;
            const std::size_t index = delivered_;
            const FileOutcome outcome = std::move(*outcomes_[index]);
            outcomes_[index].reset();
            lock.unlock();
            try {
                work_.Deliver(index, outcome);
            } catch (...) {
                Stop(std::current_exception());
                break;
            }
            lock.lock();
            ++delivered_;
            room_.notify_all();
        }
        std::lock_guard lock(mutex_);
        return delivered_;
    }

    void ThrowFailure()
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    void Stop(std::exception_ptr failure)
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        if (!failure_)
            failure_ = failure;
        ready_.notify_all();
        room_.notify_all();
    }

    const FileWork& work_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::condition_variable room_;
    std::vector<std::optional<FileOutcome>> outcomes_;
    const std::size_t ahead_;
    std::size_t next_ = 0;
    std::size_t delivered_ = 0;
    unsigned finishedWorkers_ = 0;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

}  // namespace

std::size_t WorkOnFiles(std::size_t count, unsigned workers, const FileWork& work)
{
    if (workers <= 1)
        return WorkAlone(count, work);
    SharedFiles files(count, workers, work);
    std::size_t delivered;
    {
        std::vector<std::jthread> threads;
        threads.reserve(workers);
        for (unsigned i = 0; i < workers; ++i)
            threads.emplace_back([&files] { files.RunWorker(); });
        delivered = files.DeliverInOrder(workers);
    }
    files.ThrowFailure();
    return delivered;
}

unsigned WorkerCount(int wanted, std::size_t files)
{
    unsigned count = wanted > 0 ? static_cast<unsigned>(wanted) : std::thread::hardware_concurrency();
    if (count == 0)
        count = 1;
    return files < count ? static_cast<unsigned>(files > 0 ? files : 1) : count;
}
