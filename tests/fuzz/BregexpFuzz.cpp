// The library's entry points with any command and any text, as the program calls them:
// one handle variable kept over several calls, matches searched on from the last one, a
// second command compiled into the same handle. The text lies against inaccessible pages,
// so that Oniguruma cannot read outside it unnoticed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "bregexp/EntryPoints.h"
#include "bregexp/ErrorResult.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/GuardedText.h"

namespace {

void CheckMessage(const char* message)
{
    FUZZ_CHECK(std::memchr(message, '\0', RegexMessageSize) != nullptr);
}

void CheckGroups(const RegexHandle& handle, const char* start, const char* end)
{
    FUZZ_CHECK(handle.GroupCount >= 0 && handle.GroupStarts && handle.GroupEnds);
    FUZZ_CHECK(handle.GroupStarts[0] != nullptr);
    for (int group = 0; group <= handle.GroupCount; ++group) {
        const char* groupStart = handle.GroupStarts[group];
        const char* groupEnd = handle.GroupEnds[group];
        FUZZ_CHECK((groupStart == nullptr) == (groupEnd == nullptr));
        if (groupStart)
            FUZZ_CHECK(start <= groupStart && groupStart <= groupEnd && groupEnd <= end);
    }
}

// A failure either keeps the handle or, for a command that cannot be used, releases it.
void CheckResult(int result, const RegexHandle* handle, const char* message)
{
    CheckMessage(message);
    FUZZ_CHECK(result >= bregexp::OutOfMemory);
    if (result == bregexp::MalformedCommand || result == bregexp::RejectedExpression)
        FUZZ_CHECK(handle == nullptr);
    else if (result != bregexp::InvalidArguments)
        FUZZ_CHECK(handle != nullptr);
}

void Substitute(const std::string& command, const char* start, const char* end, RegexHandle*& handle)
{
    char message[RegexMessageSize];
    const int result = BSubst(command.c_str(), start, end, &handle, message);
    CheckResult(result, handle, message);
    if (result <= 0)
        return;
    FUZZ_CHECK(handle->OutputStart != nullptr && handle->OutputStart <= handle->OutputEnd);
    const std::string output(handle->OutputStart, handle->OutputEnd);
    // The same command on the same text, through the kept handle, gives the same.
    FUZZ_CHECK(BSubst(command.c_str(), start, end, &handle, message) == result);
    FUZZ_CHECK(std::string(handle->OutputStart, handle->OutputEnd) == output);
    // So does a handle that hands its text over as it is made.
    RegexHandle* handingOver = nullptr;
    std::string handedOver;
    const BOutputFunction receiver = [](void* context, const char* data, std::size_t size) {
        static_cast<std::string*>(context)->append(data, size);
        return 1;
    };
    FUZZ_CHECK(BSetOutput(&handingOver, receiver, &handedOver) == 0);
    FUZZ_CHECK(BSubst(command.c_str(), start, end, &handingOver, message) == result);
    FUZZ_CHECK(handedOver == output);
    BRegfree(handingOver);
}

void MatchOnward(const std::string& command, const char* start, const char* end, RegexHandle*& handle)
{
    char message[RegexMessageSize];
    const char* from = start;
    for (int step = 0; step < 16; ++step) {
        const int result = BMatch(command.c_str(), from, end, &handle, message);
        CheckResult(result, handle, message);
        if (result <= 0)
            return;
        CheckGroups(*handle, from, end);
        const char* next = handle->GroupEnds[0];
        from = next > from ? next : from + 1;
        if (from > end)
            return;
    }
}

void Run(const std::string& command, const char* start, const char* end, RegexHandle*& handle)
{
    if (command.compare(0, 1, "s") == 0)
        Substitute(command, start, end, handle);
    else
        MatchOnward(command, start, end, handle);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static GuardedText guarded;
    FuzzedDataProvider input(data, size);
    const bool atStart = input.ConsumeBool();
    const std::string first = input.ConsumeRandomLengthString(200);
    const std::string second = input.ConsumeRandomLengthString(200);
    const std::string text = input.ConsumeRandomLengthString(GuardedText::Capacity);
    const char* start = atStart ? guarded.PlaceAtStart(text) : guarded.Place(text);
    const char* end = start + text.size();

    RegexHandle* handle = nullptr;
    Run(first, start, end, handle);
    Run(second, start, end, handle);
    Run(first, start, end, handle);
    BRegfree(handle);
    return 0;
}
