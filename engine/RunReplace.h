#pragma once
#include "engine/ReplaceJob.h"

class ResultLog;
class RunObserver;

enum class RunOutcome {
    // Every file of the list was taken.
    Completed,
    // The abort was set before the run ended; no file after the one it stopped was started.
    Aborted,
};

// Applies the job's single pattern, or with AllAuto every pattern of the replace list, to
// each file in list order, telling the observer the progress and each file's result. The
// caller has checked the job first (CheckRun).
RunOutcome RunReplace(const ReplaceJob& job, RunObserver& observer);

// The same run with its results written into `log`: one line per file in list order, then
// the totals, also after an abort. The caller resets the log first; the observer hears of
// a file after the log has its line.
RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunObserver& observer);
