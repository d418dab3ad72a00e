// The library's three entry points and our own additions. Nothing thrown inside may cross them.
#include <climits>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "bregexp/EntryPoints.h"
#include "bregexp/ErrorResult.h"
#include "bregexp/HandleState.h"
#include "bregexp/Matching.h"

namespace {

using bregexp::CommandKind;

// Oniguruma measures texts in int offsets.
bool IsUsableTarget(const char* start, const char* end)
{
    return start && end && end >= start && end - start <= INT_MAX;
}

template <typename Operation>
int Run(const char* command, const char* targetStart, const char* targetEnd, RegexHandle** handle, char* message,
        CommandKind kind, Operation operation)
{
    bregexp::ClearMessage(message);
    if (!handle || !command) {
        bregexp::WriteMessage(message, "no command or no handle variable");
        return bregexp::InvalidArguments;
    }
    try {
        const int prepared = bregexp::PrepareHandle(handle, command, kind, message);
        if (prepared < 0)
            return prepared;
        if (!IsUsableTarget(targetStart, targetEnd)) {
            bregexp::WriteMessage(message, "target is not a range of text");
            return bregexp::InvalidArguments;
        }
        return operation(**handle, targetStart, targetEnd, message);
    } catch (const std::bad_alloc&) {
        bregexp::WriteMessage(message, "out of memory");
        return bregexp::OutOfMemory;
    } catch (const std::exception& error) {
        // A fault of the library's own is a failed search, never an exception in the caller.
        bregexp::WriteMessage(message, std::string("search stopped: ") + error.what());
        return bregexp::SearchFailed;
    }
}

}  // namespace

extern "C" {

int BREGEXP_CALL BMatch(const char* command, const char* targetStart, const char* targetEnd, RegexHandle** handle,
                        char* message)
{
    return Run(command, targetStart, targetEnd, handle, message, CommandKind::Match, bregexp::MatchInTarget);
}

int BREGEXP_CALL BSubst(const char* command, const char* targetStart, const char* targetEnd, RegexHandle** handle,
                        char* message)
{
    return Run(command, targetStart, targetEnd, handle, message, CommandKind::Substitute,
               bregexp::SubstituteInTarget);
}

void BREGEXP_CALL BRegfree(RegexHandle* handle)
{
    bregexp::FreeHandle(handle);
}

int BREGEXP_CALL BSetOutput(RegexHandle** handle, BOutputFunction output, void* context)
{
    if (!handle)
        return bregexp::InvalidArguments;
    try {
        bregexp::SetReceiver(handle, output, context);
        return 0;
    } catch (const std::bad_alloc&) {
        return bregexp::OutOfMemory;
    }
}

int BREGEXP_CALL BMatchEach(const char* command, const char* targetStart, const char* targetEnd, RegexHandle** handle,
                            char* message, BOnwardFunction onward, void* context, unsigned flags)
{
    if (!onward) {
        bregexp::ClearMessage(message);
        bregexp::WriteMessage(message, "no function for the next place");
        return bregexp::InvalidArguments;
    }
    return Run(command, targetStart, targetEnd, handle, message, CommandKind::Match,
               [&](RegexHandle& prepared, const char* start, const char* end, char* text) {
                   return bregexp::MatchEachInTarget(prepared, start, end, text, onward, context,
                                                     (flags & BMatchEachWellFormed) != 0);
               });
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&BMatch), BMatchFunction>);
static_assert(std::is_same_v<decltype(&BSubst), BSubstFunction>);
static_assert(std::is_same_v<decltype(&BRegfree), BRegfreeFunction>);
static_assert(std::is_same_v<decltype(&BSetOutput), BSetOutputFunction>);
static_assert(std::is_same_v<decltype(&BMatchEach), BMatchEachFunction>);
