#pragma once
// A property every input must keep. A broken one ends the fuzzer as a crash does, so the
// input is saved and the fault is reported with it.
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzPropertyBroken(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition) ((condition) ? (void)0 : FuzzPropertyBroken(#condition, __FILE__, __LINE__))
