#include "platform/ThreadPriority.h"

namespace platform {

// A new thread starts with the nice value of the thread that made it: nothing to copy.
int CurrentThreadPriority()
{
    return 0;
}

void SetCurrentThreadPriority(int) {}

}  // namespace platform
