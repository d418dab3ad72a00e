#pragma once
// An observer that records what a run tells, for tests that drive a run from another
// thread: progress as "done/count", each file's result as "index:path=result", every call
// under a lock; and the run can be held at a chosen progress until the test releases it.
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "engine/run/RunObserver.h"

class RecordingObserver : public RunObserver {
public:
    void OnProgress(std::size_t done, std::size_t count) override
    {
        const std::string text = std::to_string(done) + "/" + std::to_string(count);
        std::unique_lock<std::mutex> lock(mutex_);
        events_.push_back(text);
        changed_.notify_all();
        changed_.wait(lock, [&] { return text != holdAt_ || released_; });
    }
    void OnFileResult(const FileReport& file) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::to_string(file.Index) + ":" + file.Path + "=" + std::to_string(file.Result));
        changed_.notify_all();
    }

    // The run stops inside OnProgress with this text until Release().
    void HoldAt(const std::string& text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        holdAt_ = text;
    }
    // Returns once `event` has been recorded.
    void WaitFor(const std::string& event)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] {
            for (const std::string& e : events_)
                if (e == event)
                    return true;
            return false;
        });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    std::vector<std::string> Events() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    // The progress alone.
    std::vector<std::string> Progress() const
    {
        std::vector<std::string> progress;
        for (const std::string& event : Events())
            if (event.find(':') == std::string::npos)
                progress.push_back(event);
        return progress;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    std::string holdAt_;
    bool released_ = false;
};
