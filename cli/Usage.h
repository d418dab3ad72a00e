#pragma once
#include <string>

// The text of -h and --help: every switch, the option letters, the arguments and the exit
// status; `settingsPath` is where this copy keeps its settings.
std::string UsageText(const std::string& settingsPath);
