#include "framework/WorkerThread.h"

WorkerThread::~WorkerThread()
{
    Join();
}

bool WorkerThread::Start(std::function<void()> work, int priority)
{
    Join();
    work_ = std::move(work);
    // Started suspended, so that it runs at its priority from its first instruction.
    handle_ = ::CreateThread(nullptr, 0, Entry, this, CREATE_SUSPENDED, nullptr);
    if (!handle_)
        return false;
    ::SetThreadPriority(handle_, priority);
    if (::ResumeThread(handle_) == static_cast<DWORD>(-1)) {
        ::TerminateThread(handle_, 1);
        ::CloseHandle(handle_);
        handle_ = nullptr;
        return false;
    }
    return true;
}

bool WorkerThread::IsRunning() const
{
    return handle_ && ::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

void WorkerThread::Join()
{
    if (!handle_)
        return;
    ::WaitForSingleObject(handle_, INFINITE);
    ::CloseHandle(handle_);
    handle_ = nullptr;
}

DWORD WINAPI WorkerThread::Entry(void* self)
{
    try {
        static_cast<WorkerThread*>(self)->work_();
    } catch (...) {
        // Work that fails this way has nobody to tell; the thread ends all the same.
    }
    return 0;
}
