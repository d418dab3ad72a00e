#pragma once
// One thread that runs one piece of work, at a chosen priority.
#include <windows.h>

#include <functional>

class WorkerThread {
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Never leaves the thread running: waits for it.
    ~WorkerThread();

    // Starts `work` on a new thread with `priority` (THREAD_PRIORITY_IDLE, _NORMAL...);
    // false when no thread could be started, and then `work` never runs.
    bool Start(std::function<void()> work, int priority);
    bool IsRunning() const;
    // The thread's handle, signalled when it has ended; null when none was started.
    HANDLE Handle() const { return handle_; }
    // Waits for the thread to end and lets its handle go.
    void Join();

private:
    static DWORD WINAPI Entry(void* self);

    std::function<void()> work_;
    HANDLE handle_ = nullptr;
};
