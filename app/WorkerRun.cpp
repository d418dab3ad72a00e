#include "app/WorkerRun.h"

#include "engine/RunReplace.h"
#include "framework/MessageLoop.h"
#include "resources/ResourceIds.h"

WorkerRun::Ending WorkerRun::Run(ReplaceJob& job, ResultLog& log, int priority)
{
    progress_.Prepare(job.AbortRequested);
    if (!worker_.Start([this, &job, &log] { RunReplace(job, log, *this); }, priority))
        return Ending::NotStarted;
    if (progress_.DoModal() == IDOK) {
        worker_.Join();
        return Ending::Completed;
    }
    // The worker may still be inside a file and append to the log: the main window stays
    // disabled, and its messages keep flowing, until the worker has seen the abort.
    job.AbortRequested = true;
    progress_.Release();
    mainWindow_.EnableWindow(false);
    RunMessagesUntilSignaled(worker_.Handle());
    worker_.Join();
    return Ending::Aborted;
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
