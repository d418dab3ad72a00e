#pragma once
// An automatic run started from a command prompt or a batch file. A window program has no
// console of its own: it joins the console of the program that started it, when there is
// one, so that Ctrl+C, Ctrl+Break and closing that console stop the run as the abort
// button does. The files done are logged in "replace.log" all the same.
#include <windows.h>

#include "engine/flow/AbortFlag.h"

// The exit status of an automatic run stopped from its console: that of the native
// command stopped by SIGINT (Ctrl+C, Ctrl+Break) or SIGHUP (its console closed).
inline constexpr int StoppedByCtrlC = 130;
inline constexpr int StoppedByClosedConsole = 129;

class ConsoleStop {
public:
    // Catches the console's events into `abort` for as long as this object lives.
    explicit ConsoleStop(AbortFlag& abort);
    ~ConsoleStop();
    ConsoleStop(const ConsoleStop&) = delete;
    ConsoleStop& operator=(const ConsoleStop&) = delete;

    // The run is over and its log written: a closing console may now end the program.
    void RunEnded();
    // StoppedByCtrlC or StoppedByClosedConsole once the console stopped the run, else 0.
    int ExitStatus() const;

    // What the console's event handler does with `event`; true when it was one of ours.
    static BOOL WINAPI OnConsoleEvent(DWORD event);
};
