#pragma once
// The lines on standard error about what the command was given: a run that cannot be
// carried out, and the names passed over while the list of files was made.
#include <string>
#include <vector>

#include "app/FileList.h"
#include "engine/RunCheck.h"

// Why nothing was run, as one line; `listName` is the replace list as it was named.
std::string RefusalLine(const RunCheck& check, const std::string& listName);

// "tarvelox: NAME: reason", one line a name.
std::string PassedOverLines(const std::vector<PassedOverName>& names);
