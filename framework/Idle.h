#pragma once
// Work done when the program's message loop has run out of messages: the enable states of
// toolbars and the idle text of status bars follow what the last messages changed.
#include <windows.h>

class IdleClient {
public:
    virtual ~IdleClient() = default;
    virtual void OnIdle() = 0;
};

// Clients of the user-interface thread; a client is removed before it goes.
void AddIdleClient(IdleClient& client);
void RemoveIdleClient(IdleClient& client);
// Runs every client once.
void RunIdleClients();

// GetMessage for the program's loops: when the queue has run empty after a message that may
// have changed something, the idle clients run before the wait.
BOOL GetMessageWhenIdle(MSG& message);
