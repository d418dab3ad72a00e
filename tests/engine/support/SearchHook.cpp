#include "tests/engine/support/SearchHook.h"

#include "engine/regex/BregexpLibrary.h"

namespace {

// A function pointer carries no state, so the hook is the test program's.
BMatchFunction realMatch;
int callsLeft;
std::function<void()> hook;

int BREGEXP_CALL HookedMatch(const char* command, const char* start, const char* end, RegexHandle** handle,
                             char* message)
{
    if (hook && --callsLeft == 0) {
        std::function<void()> action = std::move(hook);
        hook = nullptr;
        action();
    }
    return realMatch(command, start, end, handle, message);
}

}  // namespace

bool LoadWithSearchHook(BregexpLibrary& library, int call, std::function<void()> action)
{
    if (!library.Load())
        return false;
    realMatch = library.BMatch;
    library.BMatch = HookedMatch;
    // Every search then goes through BMatch, one call each.
    library.BMatchEach = nullptr;
    callsLeft = call;
    hook = std::move(action);
    return true;
}
