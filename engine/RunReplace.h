#pragma once
#include "engine/ReplaceJob.h"

class ResultLog;
class RunDisplay;

enum class RunOutcome {
    // Every file was taken, or the run was aborted; the log holds the totals.
    Finished,
    // A full-automatic run needs the regular-expression library, which is not loaded;
    // nothing was touched and nothing was logged.
    NoRegexLibrary,
    // Automatic mode: "replace.log" could not be written.
    LogFileNotWritten,
};

// Applies the job's single pattern, or with AllAuto every pattern of the replace list, to
// each file in list order, logging one line per file and the totals. The caller resets
// the log first. Progress goes to the display ("0/N", then one text per file); outside
// automatic mode the run first waits for the display and ends it with OK unless it was
// aborted, in automatic mode it writes the log to "replace.log" in the current directory.
RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunDisplay& display);
