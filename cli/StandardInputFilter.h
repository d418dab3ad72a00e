#pragma once
// With no file named and a text piped in, the command is a filter, as sed and sd are: the
// text of standard input, rewritten by the run's rules (its encoding told from its bytes),
// goes to standard output.
#include "engine/rewrite/ReplaceJob.h"

struct Console;
class TerminalText;

// Runs `job` over standard input into standard output: 0 when the text was read and
// written, with or without replacements; 1, with the text passed on unchanged and a line
// on standard error, when the run failed on it (a NUL byte, say); 2 when standard input
// could not be read or standard output written. A stop signal ends it with 128 + signal.
int FilterStandardInput(ReplaceJob& job, const Console& console);
