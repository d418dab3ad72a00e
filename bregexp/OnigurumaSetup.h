#pragma once
#include <oniguruma.h>

#include <string>

namespace bregexp {

// Bounds that turn a runaway expression into an error instead of a hang or an exhausted
// memory. A legitimate search of a text file stays far below them.
inline constexpr unsigned long RetryLimitInMatch = 10'000'000;
inline constexpr unsigned long RetryLimitInSearch = 200'000'000;
// Entries of Oniguruma's backtracking stack (about 32 bytes each): `.*` over one line
// takes one entry per character, so lines up to some megabytes stay searchable.
inline constexpr unsigned int MatchStackLimit = 8'000'000;
// Each nesting level costs about half a kilobyte of the calling thread's stack while
// compiling, and the caller's threads may have as little as 1 MiB.
inline constexpr unsigned int ParseDepthLimit = 256;

// Initialises Oniguruma once per process, whichever thread comes first.
void EnsureOnigurumaReady();

// Oniguruma's text for an error code; `info` fills in the part of the expression it names.
std::string OnigurumaErrorText(int code, OnigErrorInfo* info = nullptr);

}  // namespace bregexp
