#include "platform/ThreadPriority.h"

#include <windows.h>

namespace platform {

int CurrentThreadPriority()
{
    return ::GetThreadPriority(::GetCurrentThread());
}

void SetCurrentThreadPriority(int priority)
{
    ::SetThreadPriority(::GetCurrentThread(), priority);
}

}  // namespace platform
