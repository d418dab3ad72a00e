#pragma once
// The native command: the window program's start-up, file-list rules and run, without a
// window and without a change of directory, behind the grammar of a Unix command.
#include <cstdio>
#include <string>
#include <vector>

struct Console {
    std::FILE* Out;
    std::FILE* Err;
    // Standard input is a terminal: with no file named there is no text to filter.
    bool InputIsTerminal;
    // Standard error is a terminal: show a progress line there while files are processed.
    bool Interactive;
    // The character set of the user's locale, in which texts are typed and shown.
    std::string Charset;
};

// Flushes standard output: false, told on standard error, when lines never reached it,
// which makes a report that failed.
bool OutputDelivered(const Console& console);

// Returns the exit status: 0 when everything asked for was done, 1 when a file failed or
// something named was skipped, 2 when nothing was done.
int RunNativeCommand(const std::vector<std::string>& arguments, const Console& console);
