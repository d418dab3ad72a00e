#include "engine/FileWorkers.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/ThreadPriority.h"

namespace {

std::size_t WorkAlone(std::size_t count, const FileWork& work)
{
    std::size_t index = 0;
    for (; index < count && work.GoOn(); ++index)
        work.Deliver(index, work.Work(index, work.Take(index)));
    return index;
}

// The files handed out and the outcomes waiting for the files before them. Whichever
// worker finds the next outcome in list order there hands it on, one worker at a time, so
// that no thread does nothing but wait and no file waits for a thread to wake.
class SharedFiles {
public:
    SharedFiles(std::size_t count, unsigned workers, const FileWork& work)
        : work_(work), outcomes_(count), ahead_(4 * static_cast<std::size_t>(workers))
    {
    }

    void RunWorker()
    {
        try {
            for (;;) {
                std::size_t index;
                bool taken;
                {
                    // Never far ahead of the files handed on: while the one who hands them
                    // on waits (for a window to show a count), the others wait too, and an
                    // abort then finds the files as the count says.
                    std::unique_lock lock(mutex_);
                    if (next_ >= delivered_ + ahead_) {
                        ++waiting_;
                        room_.wait(lock, [&] { return stopped_ || next_ < delivered_ + ahead_; });
                        --waiting_;
                    }
                    if (stopped_ || next_ == outcomes_.size() || !work_.GoOn())
                        return;
                    index = next_++;
                    taken = work_.Take(index);
                }
                FileOutcome outcome = work_.Work(index, taken);
                std::unique_lock lock(mutex_);
                outcomes_[index] = std::move(outcome);
                DeliverWhatIsReady(lock);
            }
        } catch (...) {
            std::lock_guard lock(mutex_);
            stopped_ = true;
            if (!failure_)
                failure_ = std::current_exception();
            room_.notify_all();
        }
    }

    std::size_t Delivered() const { return delivered_; }
    void ThrowFailure() const
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    // With the lock held on entry and on return.
    void DeliverWhatIsReady(std::unique_lock<std::mutex>& lock)
    {
        if (delivering_)
            return;
        delivering_ = true;
        while (!stopped_ && delivered_ < next_ && outcomes_[delivered_]) {
            const std::size_t index = delivered_;
            const FileOutcome outcome = std::move(*outcomes_[index]);
            outcomes_[index].reset();
            lock.unlock();
            try {
                work_.Deliver(index, outcome);
            } catch (...) {
                lock.lock();
                delivering_ = false;
                throw;
            }
            lock.lock();
            ++delivered_;
            if (waiting_ > 0)
                room_.notify_all();
        }
        delivering_ = false;
    }

    const FileWork& work_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::vector<std::optional<FileOutcome>> outcomes_;
    const std::size_t ahead_;
    unsigned waiting_ = 0;
    std::size_t next_ = 0;
    std::size_t delivered_ = 0;
    bool delivering_ = false;
    bool stopped_ = false;
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
    unsigned count = wanted > 0 ? static_cast<unsigned>(wanted) : std::thread::hardware_concurrency();
    if (count == 0)
        count = 1;
    return files < count ? static_cast<unsigned>(files > 0 ? files : 1) : count;
}
