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
// the log first. Outside automatic mode progress goes to the display, which the run ends
// with OK unless it was aborted; in automatic mode the log is written to "replace.log" in
// the current directory instead.
RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunDisplay& display);
