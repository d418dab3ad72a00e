#pragma once
// The program's own message loops. Every message is first offered to the windows on its
// way from its target up to the target's top-level window (CWnd::PreTranslateMessage:
// accelerators, dialog keys), so that a modeless window keeps its keys while a modal
// dialog runs underneath.
#include <windows.h>

// Pre-translates, translates and dispatches one message.
void DispatchWithPreTranslation(MSG& message);

// Runs messages until `done` is true (checked after each one), and the idle clients
// whenever the queue runs empty. A WM_QUIT ends the loop and is posted again for the loop
// outside.
void RunMessagesUntil(const bool& done);

// Runs messages until `handle` is signalled; false when waiting failed.
bool RunMessagesUntilSignaled(HANDLE handle);
