#pragma once
#include <atomic>

// Set by the window's thread to stop a run; the run only reads it, between files, between
// passes and before each search step.
using AbortFlag = std::atomic<bool>;

inline bool IsAborted(const AbortFlag& abort)
{
    return abort.load(std::memory_order_relaxed);
}
