#include "app/WorkerRun.h"

#include "framework/MessageLoop.h"
#include "resources/ResourceIds.h"

WorkerRun::Ending WorkerRun::Run(ReplaceJob& job, ResultLog& log, int priority)
{
    progress_.Prepare(job.AbortRequested);
    outcome_ = RunOutcome::Finished;
    if (!worker_.Start([this, &job, &log] { Work(job, log); }, priority))
        return Ending::NotStarted;
    if (progress_.DoModal() == IDOK) {
        worker_.Join();
        return outcome_ == RunOutcome::NoRegexLibrary ? Ending::NoRegexLibrary : Ending::Completed;
    }
    // The worker may still be inside a file and append to the log: the main window stays
    // disabled, and its messages keep flowing, until the worker has seen the abort.
    job.AbortRequested = true;
    progress_.Release();
    mainWindow_.EnableWindow(false);
    RunMessagesUntilSignaled(worker_.Handle());
    worker_.Join();
    return outcome_ == RunOutcome::NoRegexLibrary ? Ending::NoRegexLibrary : Ending::Aborted;
}

void WorkerRun::Work(ReplaceJob& job, ResultLog& log)
{
    outcome_ = RunReplace(job, log, *this);
    // A run that could not begin has nothing to show progress for: once the user has been
    // told why, the progress dialog goes too, instead of waiting for an abort.
    if (outcome_ == RunOutcome::NoRegexLibrary)
        if (HWND progress = progress_.WaitUntilShown())
            ::PostMessageA(progress, WM_COMMAND, IDOK, 0);
}

void WorkerRun::StopAndWait(ReplaceJob& job)
{
    if (!worker_.IsRunning())
        return;
    job.AbortRequested = true;
    progress_.Release();
    // The worker may be waiting for this thread to take its text.
    RunMessagesUntilSignaled(worker_.Handle());
    worker_.Join();
}

void WorkerRun::WaitForProgressDisplay()
{
    progressWindow_ = progress_.WaitUntilShown();
}

void WorkerRun::SetProgressText(const std::string& text)
{
    // A dialog that has ended has no control any more, and the text goes nowhere.
    if (progressWindow_)
        SetWindowTextOf(::GetDlgItem(progressWindow_, IDC_PROGRESS_TEXT), text);
}

void WorkerRun::EndProgressWithOk()
{
    if (progressWindow_)
        ::PostMessageA(progressWindow_, WM_COMMAND, IDOK, 0);
}

void WorkerRun::ReportMissingRegexLibrary()
{
    mainWindow_.SendMessage(WM_RUN_NO_REGEX_LIBRARY);
}
