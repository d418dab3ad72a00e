#pragma once
// The run of automatic mode: carried out at start, without a window, its log written to
// "replace.log" in the current directory.
class ResultLog;
class RunDisplay;
struct ReplaceJob;

// The program's exit status after an automatic run.
enum AutomaticRunStatus : int {
    EveryFileProcessed = 0,
    SomeFileFailed = 1,   // at least one file is logged with a status word
    RunNotCarriedOut = 2, // the regular-expression library is missing, or "replace.log" could not be written
};

// Resets the log, runs the job (which must be in automatic mode) and tells how it went.
AutomaticRunStatus RunAutomatic(const ReplaceJob& job, ResultLog& log, RunDisplay& display);
