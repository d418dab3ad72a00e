#pragma once
// What a command line asks for that the run would ignore or cannot do without, found
// before anything is touched: such a request is refused rather than run in part.
#include <string>
#include <string_view>

#include "cli/CommandGrammar.h"
#include "engine/rewrite/ReplaceJob.h"

// The first thing wrong with `request` as a run, given whether the replace list drives it
// (with -A or by the settings): a text, an option or a list that would be ignored, or a
// pattern that is missing. Empty when nothing is.
std::string IgnoredOrMissing(const CommandRequest& request, bool fullAutomatic);

// What is wrong with option letters taken together, written as -O takes them: i, m and k
// belong to a regular expression (e), c and s to a literal text. Empty when nothing is.
std::string OptionLettersProblem(std::string_view letters);

// Whether a find text holds nothing to find: it is empty, or read with its escapes
// (`escapes`) it holds nothing but separators (\|).
bool FindsNothing(const std::string& find, bool escapes);

// sed users write \1 for a group; in the program's own template it is the byte of that
// octal code (\1 is 0x01, \400 is 0x00). The warning for a regular expression's
// replacement that holds \1 to \9, or \x without a hexadecimal digit (the byte 0x00), or
// nothing.
std::string ReplacementEscapeWarning(const ReplaceJob& job);

// The same for a run that filters standard input to standard output (no file named):
// what only a run over files can do.
std::string NotForAFilter(const CommandRequest& request);
