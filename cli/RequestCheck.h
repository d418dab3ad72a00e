#pragma once
// What a command line asks for that the run would ignore or cannot do without, found
// before anything is touched: such a request is refused rather than run in part.
#include <string>

#include "cli/CommandGrammar.h"

// The first thing wrong with `request` as a run, given whether the replace list drives it
// (with -A or by the settings): a text, an option or a list that would be ignored, or a
// pattern that is missing. Empty when nothing is.
std::string IgnoredOrMissing(const CommandRequest& request, bool fullAutomatic);

// The same for a run that filters standard input to standard output (no file named):
// what only a run over files can do.
std::string NotForAFilter(const CommandRequest& request);
