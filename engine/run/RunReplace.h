// run/: the run over the file list: its check, the workers, what it reports, the result log's text.
#pragma once
#include "engine/rewrite/ReplaceJob.h"

class ResultLog;
class RunObserver;

enum class RunOutcome {
    // Every file of the list was taken.
    Completed,
    // The abort was set before the run ended; no file was started after it, and the files
    // in progress ended (with Cancel where it stopped them).
    Aborted,
};

// Applies the job's single pattern, or with AllAuto every pattern of the replace list, to
// each file, taking them in list order with the job's workers, and tells the observer, in
// list order, the progress and each file's result: the same with any number of workers. The caller has checked the job first (CheckRun).
RunOutcome RunReplace(const ReplaceJob& job, RunObserver& observer);

// The same run with its results written into `log`: one line per file in list order, then
// the totals, also after an abort. The caller resets the log first; the observer hears of
// a file after the log has its line.
RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunObserver& observer);
