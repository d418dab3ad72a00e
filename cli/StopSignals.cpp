#include "cli/StopSignals.h"

#include <csignal>
#include <iterator>

namespace {

// SIGPIPE too: the program reading standard output went away (head, a pager quit), and a
// run ended by it halfway would leave its temporary file behind.
constexpr int Caught[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

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
    // Calls under way go on. Every signal is caught, a second one too (timeout and a
    // terminal's Ctrl+C signal both the group and the program): a program ended by it
    // would leave its temporary file and lose the lines and the log of the files done.
    action.sa_flags = SA_RESTART;
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
