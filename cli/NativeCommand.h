#pragma once
// The native command: the window's start-up, parser, file-list rules and automatic run,
// without a window and without a change of directory.
#include <cstdio>
#include <string>
#include <vector>

struct Console {
    std::FILE* Out;
    std::FILE* Err;
    // Standard error is a terminal: show a progress line and a last summary there.
    bool Interactive;
};

// Returns the exit status: that of the automatic run, 0 after the usage text was asked
// for, 2 without any argument.
int RunNativeCommand(const std::vector<std::string>& arguments, const Console& console);
