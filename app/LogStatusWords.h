#pragma once
// The failures a result log shows by their status words, read back from its text: which
// occur in it, and which one a line shows.
#include <optional>
#include <string_view>
#include <vector>

#include "engine/flow/FileResult.h"

// Each failure code whose status word ends a line of `logText`, once, in the order of the
// codes.
std::vector<FileResult> FailuresIn(std::string_view logText);

// The failure whose status word ends line `line` (counted from 0), if it does.
std::optional<FileResult> FailureOfLine(std::string_view logText, int line);
