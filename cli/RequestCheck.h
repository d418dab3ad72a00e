#pragma once
// What a command line asks for that the run would ignore or cannot do without, found
// before anything is touched: such a request is refused rather than run in part.
#include <string>

#include "cli/CommandGrammar.h"
#include "engine/rewrite/ReplaceJob.h"

// The first thing wrong with `request` as a run, given whether the replace list drives it
// (with -A or by the settings): a text, an option or a list that would be ignored, or a
// pattern that is missing. Empty when nothing is.
std::string IgnoredOrMissing(const CommandRequest& request, bool fullAutomatic);

// sed users write \1 for a group; in the program's own template it is the byte 0x01. The
// warning for a regular expression's replacement that holds \1 to \9, or nothing.
std::string BackslashDigitWarning(const ReplaceJob& job);

// The same for a run that filters standard input to standard output (no file named):
// what only a run over files can do.
std::string NotForAFilter(const CommandRequest& request);
