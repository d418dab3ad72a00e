#pragma once
// Why the window refuses to start a run, in the words of its message box.
#include <string>

#include "engine/run/RunCheck.h"

// `listName` is the replace list in use, where it was found or the name looked for.
std::string RunRefusalText(const RunCheck& check, const std::string& listName);
