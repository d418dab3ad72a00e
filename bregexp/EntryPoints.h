#pragma once
// The library's entry points, and our own additions; also declared for code linked with
// its objects directly.
#include "engine/regex/BregexpApi.h"

#ifdef _WIN32
#define BREGEXP_EXPORT  // bregexp.def names the exports
#else
#define BREGEXP_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
BREGEXP_EXPORT int BREGEXP_CALL BMatch(const char* command, const char* targetStart, const char* targetEnd,
                                       RegexHandle** handle, char* message);
BREGEXP_EXPORT int BREGEXP_CALL BSubst(const char* command, const char* targetStart, const char* targetEnd,
                                       RegexHandle** handle, char* message);
BREGEXP_EXPORT void BREGEXP_CALL BRegfree(RegexHandle* handle);
BREGEXP_EXPORT int BREGEXP_CALL BSetOutput(RegexHandle** handle, BOutputFunction output, void* context);
BREGEXP_EXPORT int BREGEXP_CALL BMatchEach(const char* command, const char* targetStart, const char* targetEnd,
                                           RegexHandle** handle, char* message, BOnwardFunction onward,
                                           void* context, unsigned flags);
}
