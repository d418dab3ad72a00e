#include "app/ConsoleStop.h"

namespace {

// The handler runs on a thread the system makes for it: it reaches only these.
AbortFlag* target = nullptr;
volatile LONG exitStatus = 0;
HANDLE runEnded = nullptr;

// The system ends the program some seconds after a closing console's event; the run
// stops at its next check, well within that.
constexpr DWORD ClosingWaitMs = 4500;

}  // namespace

ConsoleStop::ConsoleStop(AbortFlag& abort)
{
    target = &abort;
    exitStatus = 0;
    runEnded = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Fails when the starter has no console, as a double click: nothing to stop it by then.
    ::AttachConsole(ATTACH_PARENT_PROCESS);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

ConsoleStop::~ConsoleStop()
{
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    target = nullptr;
    RunEnded();
    ::CloseHandle(runEnded);
    runEnded = nullptr;
}

void ConsoleStop::RunEnded()
{
    if (runEnded)
        ::SetEvent(runEnded);
}

int ConsoleStop::ExitStatus() const
{
    return exitStatus;
}

BOOL WINAPI ConsoleStop::OnConsoleEvent(DWORD event)
{
    const bool closing = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
    if (!closing && event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    ::InterlockedCompareExchange(&exitStatus, closing ? StoppedByClosedConsole : StoppedByCtrlC, 0);
    if (target)
        target->store(true, std::memory_order_relaxed);
    // Returning lets the system end the program at once after a close: first the run stops
    // and writes its log.
    if (closing && runEnded)
        ::WaitForSingleObject(runEnded, ClosingWaitMs);
    return TRUE;
}
