#pragma once
// A run started from the main window: RunReplace on a worker thread while the progress
// dialog is shown modally on the window's thread. The worker reaches the windows only
// through the window system: texts sent to the progress dialog, its OK command posted.
#include "app/ProgressDialog.h"
#include "engine/ReplaceJob.h"
#include "engine/RunDisplay.h"
#include "engine/RunReplace.h"
#include "framework/WorkerThread.h"

class ResultLog;

// Sent by the run to the main window when a full-automatic run stops because it needs the
// regular-expression library; the main window tells the user. Both parameters are 0.
inline constexpr UINT WM_RUN_NO_REGEX_LIBRARY = WM_APP + 1;

class WorkerRun : private RunDisplay {
public:
    explicit WorkerRun(CWnd& mainWindow) : mainWindow_(mainWindow), progress_(&mainWindow) {}

    enum class Ending {
        // The run ended the progress dialog with OK; the worker has ended.
        Completed,
        // The user aborted it, or the progress dialog could not be shown. The worker has
        // ended too, and the main window is left disabled until the caller has announced
        // the end.
        Aborted,
        // No worker thread could be started: nothing was touched.
        NotStarted,
        // The run needed the regular-expression library, which is not loaded: the user was
        // told, the run ended the progress dialog, and nothing was touched or logged. The
        // main window may be left disabled, as after an abort.
        NoRegexLibrary,
    };

    // Runs the job with its log (reset by the caller) on a worker thread of `priority`.
    Ending Run(ReplaceJob& job, ResultLog& log, int priority);
    // For closing during a run: aborts it and waits for the worker.
    void StopAndWait(ReplaceJob& job);

    // What the run shows in automatic mode, on the window's own thread: only the message
    // about a missing library.
    RunDisplay& Display() { return *this; }

private:
    // The worker's whole work: the run, and the end of the progress dialog when the run
    // could not begin.
    void Work(ReplaceJob& job, ResultLog& log);
    void WaitForProgressDisplay() override;
    void SetProgressText(const std::string& text) override;
    void EndProgressWithOk() override;
    void ReportMissingRegexLibrary() override;

    CWnd& mainWindow_;
    ProgressDialog progress_;
    WorkerThread worker_;
    // The progress dialog's window as the worker knows it; only the worker reads it.
    HWND progressWindow_ = nullptr;
    // Written by the worker, read once it has ended.
    RunOutcome outcome_ = RunOutcome::Finished;
};
