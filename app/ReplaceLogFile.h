#pragma once
// The result log of an automatic run as a file, the same for both programs.
#include <string>

class ResultLog;

inline constexpr char ReplaceLogFileName[] = "replace.log";

// Creates or truncates `path` ("replace.log" in the current directory unless given) and
// writes the log's whole text into it, byte for byte; false when it could not be written.
bool WriteReplaceLog(const ResultLog& log, const std::string& path = ReplaceLogFileName);
