#pragma once
// The calling convention of functions called across a library loaded at run time: the C
// convention of the platform, spelled out where the platform has more than one.
#ifdef _WIN32
#define LIBRARY_CALL __cdecl
#else
#define LIBRARY_CALL
#endif
