#pragma once
// The run of automatic mode: carried out at start, without a window, its log written to
// "replace.log" in the current directory.
class ResultLog;
class RunObserver;
struct ReplaceJob;

// The program's exit status after an automatic run.
enum AutomaticRunStatus : int {
    EveryFileProcessed = 0,
    // At least one file is logged with a status word, or a name given was passed over.
    SomeFileFailed = 1,
    RunNotCarriedOut = 2, // the run was refused (CheckRun), or "replace.log" could not be written
};

// Resets the log, runs the job, which the caller has checked, writes "replace.log" and
// tells how it went; `namesPassedOver` tells that the list was made without some of the
// names given. The observer hears the run's progress.
AutomaticRunStatus RunAutomatic(const ReplaceJob& job, bool namesPassedOver, ResultLog& log, RunObserver& observer);
