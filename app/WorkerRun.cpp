#include "app/WorkerRun.h"

#include <commctrl.h>

#include "app/ProgressText.h"
#include "framework/MessageLoop.h"
#include "resources/ResourceIds.h"

WorkerRun::Ending WorkerRun::Run(const RunFunction& run, AbortFlag& abort, int priority,
                                 const std::vector<std::string>& files)
{
    abort_ = &abort;
    files_ = &files;
    failed_ = false;
    const INT_PTR end = progress_.Show(abort, [&](HWND dialog) {
        progressWindow_ = dialog;
        return worker_.Start([this, &run] { Work(run); }, priority);
    });
    if (!worker_.Handle())
        return Ending::NotStarted;
    if (end != IDOK) {
        // The worker may still be inside a file and add to the log: the main window stays
        // disabled, and its messages keep flowing, until the worker has seen the abort.
        abort = true;
        mainWindow_.EnableWindow(false);
        RunMessagesUntilSignaled(worker_.Handle());
    }
    worker_.Join();
    if (failed_)
        return Ending::Failed;
    return end == IDOK ? Ending::Completed : Ending::Aborted;
}

void WorkerRun::Work(const RunFunction& run)
{
    bool completed = false;
    try {
        completed = run(*this) == RunOutcome::Completed;
    } catch (...) {
        failed_ = true;
    }
    // An aborted run's dialog has already gone; any other run takes its dialog with it.
    if (completed || failed_)
        ::PostMessageW(progressWindow_, WM_COMMAND, IDOK, 0);
}

void WorkerRun::StopAndWait()
{
    if (!worker_.IsRunning())
        return;
    *abort_ = true;
    // The worker may be waiting for this thread to take its text.
    RunMessagesUntilSignaled(worker_.Handle());
    worker_.Join();
}

void WorkerRun::OnProgress(std::size_t done, std::size_t count)
{
    // A dialog that has ended has no control any more, and the text goes nowhere. The
    // file named is the one the run takes next.
    SetWindowTextOf(::GetDlgItem(progressWindow_, IDC_PROGRESS_FILE),
                    files_ && done < files_->size() ? (*files_)[done] : std::string());
    HWND bar = ::GetDlgItem(progressWindow_, IDC_PROGRESS_BAR);
    ::SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(count));
    ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    SetWindowTextOf(::GetDlgItem(progressWindow_, IDC_PROGRESS_TEXT), ProgressText(done, count));
}
