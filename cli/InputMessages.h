#pragma once
// The lines on standard error about what the command was given: a run that cannot be
// carried out, and the names passed over while the list of files was made.
#include <string>
#include <vector>

#include "app/FileList.h"
#include "cli/TerminalText.h"
#include "engine/run/RunCheck.h"

// Why nothing was run, as one line for `terminal`; `listName` is the replace list as it
// was named.
std::string RefusalLine(const RunCheck& check, const std::string& listName, const TerminalText& terminal);

// "tarvelox: NAME: reason", one line a name, the names shown on `terminal`.
std::string PassedOverLines(const std::vector<PassedOverName>& names, const TerminalText& terminal);
