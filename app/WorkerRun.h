#pragma once
// A run started from the main window: the run on a worker thread, started once the
// progress dialog is shown, while the dialog runs modally on the window's thread. The
// worker reaches the windows only through the window system: the progress texts sent to
// the dialog, its OK command posted.
#include <functional>
#include <string>
#include <vector>

#include "app/ProgressDialog.h"
#include "engine/run/RunObserver.h"
#include "engine/run/RunReplace.h"
#include "framework/WorkerThread.h"

class WorkerRun : private RunObserver {
public:
    explicit WorkerRun(CWnd& mainWindow) : mainWindow_(mainWindow), progress_(&mainWindow) {}

    // The run itself, called on the worker thread with what shows its progress; it stops
    // soon once the abort flag given to Run is set.
    using RunFunction = std::function<RunOutcome(RunObserver&)>;

    enum class Ending {
        // The run took every file and ended the progress dialog with OK; the worker has ended.
        Completed,
        // The user aborted it. The worker has ended too, and the main window is left
        // disabled until the caller has announced the end.
        Aborted,
        // No worker thread could be started, or the progress dialog could not be shown:
        // nothing was touched.
        NotStarted,
        // The run ended by an exception; the progress dialog has gone, and the main window
        // may be left disabled, as after an abort.
        Failed,
    };

    // Runs `run` on a worker thread of `priority`; "中止" sets `abort`. The progress names
    // the file of `files`, the run's list, that the run takes next.
    Ending Run(const RunFunction& run, AbortFlag& abort, int priority, const std::vector<std::string>& files);
    // For closing during a run: aborts it and waits for the worker.
    void StopAndWait();

private:
    // The worker's whole work: the run, then the end of the progress dialog unless the
    // user has already ended it.
    void Work(const RunFunction& run);
    void OnProgress(std::size_t done, std::size_t count) override;

    CWnd& mainWindow_;
    ProgressDialog progress_;
    WorkerThread worker_;
    // Set before the worker starts, and only read by it.
    HWND progressWindow_ = nullptr;
    AbortFlag* abort_ = nullptr;
    const std::vector<std::string>* files_ = nullptr;
    // Written by the worker, read once it has ended.
    bool failed_ = false;
};
