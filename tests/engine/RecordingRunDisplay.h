#pragma once
// A run display that records what the run shows, for tests that drive a run from
// another thread: every call is recorded under a lock, and the run can be held at a
// chosen progress text until the test releases it.
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "engine/RunDisplay.h"

class RecordingRunDisplay : public RunDisplay {
public:
    void WaitForProgressDisplay() override { Record("wait"); }
    void SetProgressText(const std::string& text) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        events_.push_back(text);
        changed_.notify_all();
        changed_.wait(lock, [&] { return text != holdAt_ || released_; });
    }
    void EndProgressWithOk() override { Record("ok"); }
    void ReportMissingRegexLibrary() override { Record("no library"); }

    // The run stops inside SetProgressText(text) until Release().
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

private:
    void Record(const std::string& event)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(event);
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    std::string holdAt_;
    bool released_ = false;
};
