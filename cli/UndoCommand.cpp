#include "cli/UndoCommand.h"

#include <csignal>
#include <cstring>

#include "app/SettingsStore.h"
#include "cli/ConsoleProgress.h"
#include "cli/LogFile.h"
#include "cli/ResultLines.h"
#include "cli/StopSignals.h"
#include "cli/TerminalText.h"
#include "engine/undo/KeptRuns.h"
#include "engine/undo/UndoRun.h"
#include "platform/CurrentDirectory.h"
#include "platform/StateLocation.h"

namespace {

enum ExitStatus : int {
    EverythingDone = 0,
    SomethingLeftOrFailed = 1,
    NothingDone = 2,
};

const char* Reason(UndoResult result)
{
    switch (result) {
    case UndoResult::Restored:
        return "";
    case UndoResult::RestoredBefore:
        return "restored by an earlier undo";
    case UndoResult::Changed:
        return "changed since the run: left as it is";
    case UndoResult::Missing:
        return "removed since the run: not put back";
    case UndoResult::NotKept:
        return "the journal no longer holds its original as it was: left as it is";
    case UndoResult::NotOpen:
        return "cannot be read: left as it is";
    case UndoResult::WriteErr:
        return "could not be put back: its folder cannot be written, or the disk is full";
    }
    return "";
}

std::string WordOf(UndoResult result)
{
    const std::string word = UndoWord(result);
    return word.substr(word.find_first_not_of(' '));
}

// One line per file on standard output: restored files and those left as they are; with
// -v those an earlier undo restored too.
class UndoLines final : public UndoObserver {
public:
    UndoLines(std::FILE* out, Verbosity verbosity, const TerminalText& terminal, std::string currentFolder,
              ConsoleProgress& progress)
        : out_(out), verbosity_(verbosity), terminal_(terminal), currentFolder_(std::move(currentFolder)),
          progress_(progress)
    {
    }

    void OnProgress(std::size_t done, std::size_t count) override { progress_.OnProgress(done, count); }
    void OnFileUndone(const UndoReport& file) override
    {
        if (verbosity_ == Verbosity::Quiet ||
            (file.Result == UndoResult::RestoredBefore && verbosity_ != Verbosity::Verbose))
            return;
        progress_.Clear();
        const std::string name = terminal_.Name(ShownPath(file.Path, currentFolder_));
        const char* reason = Reason(file.Result);
        if (*reason)
            std::fprintf(out_, "%s: %s (%s)\n", name.c_str(), WordOf(file.Result).c_str(), reason);
        else
            std::fprintf(out_, "%s: %s\n", name.c_str(), WordOf(file.Result).c_str());
    }

private:
    std::FILE* out_;
    Verbosity verbosity_;
    const TerminalText& terminal_;
    std::string currentFolder_;
    ConsoleProgress& progress_;
};

std::string Files(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

std::string Summary(const std::string& id, const UndoLog& log, bool preview)
{
    std::string line = (preview ? "preview: undo of run " : "undo of run ") + id + ": " +
                       Files(log.RestoredFiles()) + (preview ? " would be restored" : " restored");
    if (log.RestoredBefore() > 0)
        line += ", " + std::to_string(log.RestoredBefore()) + " restored before";
    line += ", " + std::to_string(log.LeftFiles()) + " left as they are";
    if (preview)
        line += "; nothing was written";
    return line;
}

std::string StopSummary(int signal, const UndoLog& log, std::size_t files)
{
    const char* name = ::sigabbrev_np(signal);
    return std::string("stopped by SIG") + (name ? name : "?") + ": " + Files(log.RestoredFiles()) +
           " restored before the stop, " + std::to_string(files - log.LoggedFiles()) +
           " not processed; tarvelox --undo takes up the rest";
}

std::string TimeText(std::int64_t seconds)
{
    return LocalTimeText(seconds, "%04d-%02d-%02d %02d:%02d:%02d");
}

// The folder all the run's files lie in, or the folder it was started in.
std::string WhereOf(const KeptRun& run)
{
    std::string common;
    for (const JournalEntry& entry : run.Entries) {
        const std::string folder = entry.Path.substr(0, entry.Path.rfind('/'));
        if (&entry == &run.Entries.front()) {
            common = folder;
            continue;
        }
        while (!common.empty() && !(folder == common || folder.starts_with(common + "/")))
            common = common.substr(0, common.rfind('/'));
    }
    return run.Entries.empty() || common.empty() ? run.CurrentFolder : common;
}

std::string StateOf(const KeptRun& run)
{
    if (run.InUse)
        return ", at work now";
    if (run.UndoFinished)
        return ", taken back";
    if (!run.Restored.empty())
        return ", partly taken back";
    if (!run.Ended)
        return ", killed";
    return run.Completed ? "" : ", stopped";
}

}  // namespace

std::string UndoRequestProblem(const CommandRequest& request)
{
    const char* name = request.Runs ? "--runs" : "--undo";
    const bool asRun = request.FindText || request.ReplaceText || request.OptionLetters || request.ReplaceListFile ||
                       request.AllowedExtensions || request.FullAutomatic || request.MakeBackup ||
                       request.IncludeSubfolders || request.Diff || request.NoUndo || request.Hidden ||
                       request.NoIgnore || request.Encoding || request.Clear;
    if (request.Runs && request.Undo)
        return "--runs and --undo: one at a time";
    if (!request.FileArguments.empty())
        return std::string(name) + " takes no files: it takes back the files the run changed";
    if (asRun)
        return std::string(name) + " takes none of the options of a run";
    if (request.Runs && (request.DryRun || request.LogFile || request.Jobs))
        return "--runs only lists the runs";
    return std::string();
}

int RunUndoCommand(const CommandRequest& request, const SettingsStore& settings, const Console& console,
                   const TerminalText& terminal)
{
    const std::string runs = platform::UndoRunsFolder();
    const std::string& id = *request.Undo;
    const std::optional<KeptRun> run = id.empty() ? LastRun(runs) : ReadRun(RunFolder(runs, id));
    if (!run) {
        if (id.empty())
            std::fprintf(console.Err, "tarvelox: no run to take back in %s\n", terminal.Name(runs).c_str());
        else
            std::fprintf(console.Err, "tarvelox: no run %s in %s (tarvelox --runs lists them)\n", id.c_str(),
                         terminal.Name(runs).c_str());
        return NothingDone;
    }
    if (id.empty() && run->UndoFinished) {
        std::fprintf(console.Err,
                     "tarvelox: the last run, %s, was taken back already; --undo=ID takes back an older one "
                     "(tarvelox --runs lists them)\n",
                     run->Folder.Id.c_str());
        return NothingDone;
    }
    std::optional<LogFile> logFile;
    if (request.LogFile)
        logFile.emplace(*request.LogFile);
    if (logFile && !logFile->Make()) {
        std::fprintf(console.Err, "tarvelox: %s: the log cannot be written; nothing was changed\n",
                     terminal.Name(*request.LogFile).c_str());
        return NothingDone;
    }
    UndoJob job;
    job.Run = run->Folder;
    job.Preview = request.DryRun;
    job.Workers = request.Jobs ? *request.Jobs : settings.ReadSwitch(Setting::Workers);
    ConsoleProgress progress(console.Err, console.Interactive);
    UndoLines lines(console.Out, request.Output, terminal, platform::CurrentDirectory(), progress);
    UndoLog log;
    const StopSignals signals(job.AbortRequested);
    const UndoOutcome outcome = UndoRun(job, log, lines);
    if (outcome == UndoOutcome::InUse || outcome == UndoOutcome::NotARun) {
        progress.Finish(std::string());
        std::fprintf(console.Err, "tarvelox: run %s %s; nothing was changed\n", run->Folder.Id.c_str(),
                     outcome == UndoOutcome::InUse ? "is at work now (a run or an undo of it)"
                                                   : "cannot be read or written");
        return NothingDone;
    }
    const int signal = signals.Received();
    std::string summary;
    if (signal)
        summary = StopSummary(signal, log, run->Entries.size());
    else if (request.Output != Verbosity::Quiet)
        summary = Summary(run->Folder.Id, log, request.DryRun);
    progress.Finish(summary);
    const bool delivered = OutputDelivered(console);
    int status = log.LeftFiles() > 0 || !delivered ? SomethingLeftOrFailed : EverythingDone;
    // Files are put back by now: a log that could not be written is a failure, not a refusal.
    if (logFile && !logFile->Write(log.Text())) {
        std::fprintf(console.Err, "tarvelox: %s: the log could not be written\n", terminal.Name(logFile->Path()).c_str());
        status = SomethingLeftOrFailed;
    }
    return signal ? 128 + signal : status;
}

int ListRunsCommand(const Console& console, const TerminalText& terminal)
{
    const std::string runs = platform::UndoRunsFolder();
    const std::vector<KeptRun> kept = ListRuns(runs);
    if (kept.empty()) {
        std::fprintf(console.Err, "tarvelox: no run is kept in %s\n", terminal.Name(runs).c_str());
        return EverythingDone;
    }
    for (const KeptRun& run : kept)
        std::fprintf(console.Out, "%s  %s  %s%s  %s  %s\n", run.Folder.Id.c_str(), TimeText(run.Started).c_str(),
                     Files(run.Entries.size()).c_str(), StateOf(run).c_str(), terminal.Name(WhereOf(run)).c_str(),
                     terminal.UserText(run.What).c_str());
    return OutputDelivered(console) ? EverythingDone : SomethingLeftOrFailed;
}
