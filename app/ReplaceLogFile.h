#pragma once
// The result log of an automatic run as a file, the same for both programs.
class ResultLog;

inline constexpr char ReplaceLogFileName[] = "replace.log";

// Creates or truncates "replace.log" in the current directory and writes the log's whole
// text into it, byte for byte; false when it could not be written.
bool WriteReplaceLog(const ResultLog& log);
