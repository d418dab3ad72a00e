#include "platform/posix/BusErrorGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <mutex>

namespace platform {

namespace {

// Read by the signal handler, so every field is a lock-free atomic; Start is set last and
// cleared first, and read again after the others to tell a range that changed meanwhile.
struct GuardedRange {
    std::atomic<bool> Taken{false};
    std::atomic<std::uintptr_t> Start{0};
    std::atomic<std::size_t> Size{0};
    std::atomic<std::atomic<bool>*> Lost{nullptr};
};

// More than the files a run ever has open at once.
constexpr std::size_t MaxRanges = 256;
GuardedRange ranges[MaxRanges];

struct sigaction earlierAction;
std::uintptr_t pageSize = 4096;

// A fault that is not ours goes where it went before: a handler that was there runs, and
// the default action ends the program once the faulting read is tried again.
void PassOn(int signal, siginfo_t* info, void* context)
{
    if (earlierAction.sa_flags & SA_SIGINFO) {
        earlierAction.sa_sigaction(signal, info, context);
        return;
    }
    if (earlierAction.sa_handler == SIG_DFL || earlierAction.sa_handler == SIG_IGN) {
        ::signal(signal, SIG_DFL);
        return;
    }
    earlierAction.sa_handler(signal);
}

bool ZeroRestOfRange(std::uintptr_t address)
{
    for (GuardedRange& range : ranges) {
        const std::uintptr_t start = range.Start.load(std::memory_order_acquire);
        if (start == 0 || address < start)
            continue;
        const std::size_t size = range.Size.load(std::memory_order_acquire);
        std::atomic<bool>* lost = range.Lost.load(std::memory_order_acquire);
        if (address - start >= size || !lost || range.Start.load(std::memory_order_acquire) != start)
            continue;
        // The file was cut at or before this page, so everything after it is gone too.
        const std::uintptr_t page = address & ~(pageSize - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(page), start + size - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros == MAP_FAILED)
            return false;
        lost->store(true, std::memory_order_relaxed);
        return true;
    }
    return false;
}

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    const bool handled = info && ZeroRestOfRange(reinterpret_cast<std::uintptr_t>(info->si_addr));
    errno = savedErrno;
    if (!handled)
        PassOn(signal, info, context);
}

void InstallHandler()
{
    pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &earlierAction);
}

}  // namespace

bool GuardMappedRange(const void* start, std::size_t size, std::atomic<bool>* lost)
{
    static std::once_flag installed;
    std::call_once(installed, InstallHandler);
    for (GuardedRange& range : ranges) {
        if (range.Taken.exchange(true, std::memory_order_acq_rel))
            continue;
        range.Size.store(size, std::memory_order_release);
        range.Lost.store(lost, std::memory_order_release);
        range.Start.store(reinterpret_cast<std::uintptr_t>(start), std::memory_order_release);
        return true;
    }
    return false;
}

void UnguardMappedRange(const void* start)
{
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    for (GuardedRange& range : ranges) {
        if (range.Start.load(std::memory_order_acquire) != address)
            continue;
        range.Start.store(0, std::memory_order_release);
        range.Lost.store(nullptr, std::memory_order_release);
        range.Taken.store(false, std::memory_order_release);
        return;
    }
}

}  // namespace platform
