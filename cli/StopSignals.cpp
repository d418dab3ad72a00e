#include "cli/StopSignals.h"

#include <csignal>
#include <iterator>

namespace {

constexpr int Caught[] = {SIGINT, SIGTERM, SIGHUP};

// A handler reaches nothing but these: a lock-free flag and a plain signal number.
static_assert(AbortFlag::is_always_lock_free);
AbortFlag* target = nullptr;
volatile std::sig_atomic_t received = 0;
struct sigaction previous[std::size(Caught)];

extern "C" void OnStopSignal(int signal)
{
    if (received == 0)
        received = signal;
    target->store(true, std::memory_order_relaxed);
}

}  // namespace

StopSignals::StopSignals(AbortFlag& abort)
{
    target = &abort;
    received = 0;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // Calls under way go on; the first signal of each kind is caught, the next one is not.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(Caught); ++i)
        ::sigaction(Caught[i], &action, &previous[i]);
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < std::size(Caught); ++i)
        ::sigaction(Caught[i], &previous[i], nullptr);
}

int StopSignals::Received() const
{
    return received;
}
