#include "framework/Idle.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<IdleClient*> clients;
bool idlePending = true;
POINT lastMousePosition{-1, -1};

// Painting, timers and a pointer resting in place change nothing a client shows.
bool MayChangeSomething(const MSG& message)
{
    switch (message.message) {
    case WM_PAINT:
    case WM_TIMER:
    case 0x0118:  // the system's caret timer
        return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (message.pt.x == lastMousePosition.x && message.pt.y == lastMousePosition.y)
            return false;
        lastMousePosition = message.pt;
        return true;
    default:
        return true;
    }
}

}  // namespace

void AddIdleClient(IdleClient& client)
{
    clients.push_back(&client);
}

void RemoveIdleClient(IdleClient& client)
{
    std::erase(clients, &client);
}

void RunIdleClients()
{
    // A client may add or remove clients while it runs.
    const std::vector<IdleClient*> current = clients;
    for (IdleClient* client : current)
        if (std::find(clients.begin(), clients.end(), client) != clients.end())
            client->OnIdle();
}

BOOL GetMessageWhenIdle(MSG& message)
{
    if (idlePending && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        idlePending = false;
        RunIdleClients();
    }
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got > 0 && MayChangeSomething(message))
        idlePending = true;
    return got;
}
