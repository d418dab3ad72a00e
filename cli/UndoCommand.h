#pragma once
// The native command's undo: --undo takes back the last run (--undo=ID an older one) as
// the journal kept it, --runs lists the runs kept. Each file's result goes to standard
// output as a run's failures do ("path: Changed (...)"), the summary to standard error.
#include <string>

#include "cli/CommandGrammar.h"
#include "cli/NativeCommand.h"

class SettingsStore;
class TerminalText;

// What --undo or --runs cannot take along (files, patterns, options of a run), as the
// line that refuses it; empty when nothing.
std::string UndoRequestProblem(const CommandRequest& request);

// Returns the exit status: 0 when every file the run changed is back as it was, 1 when
// some were left as they are (changed since the run, or they could not be put back) or
// the report could not be written (standard output, the log), 2
// when nothing was done (no such run, or one at work now), 128 + N when signal N stopped it.
int RunUndoCommand(const CommandRequest& request, const SettingsStore& settings, const Console& console,
                   const TerminalText& terminal);

// One line per run kept, the newest first: its identifier, when it started, how many
// files it changed and what became of them, where, and what it replaced. Returns 1 when
// the lines could not be written, else 0.
int ListRunsCommand(const Console& console, const TerminalText& terminal);
