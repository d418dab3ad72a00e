#include "cli/NativeCommand.h"

#include <cstring>

#include "app/SettingsStore.h"
#include "app/UndoJournalSetup.h"
#include "cli/CommandDefaults.h"
#include "cli/ConsoleProgress.h"
#include "cli/DiffPrinter.h"
#include "cli/InputMessages.h"
#include "cli/LogFile.h"
#include "cli/NativeJob.h"
#include "cli/RequestCheck.h"
#include "cli/ResultLines.h"
#include "cli/StandardInputFilter.h"
#include "cli/StopSignals.h"
#include "cli/TerminalText.h"
#include "cli/UndoCommand.h"
#include "cli/Usage.h"
#include "cli/VersionText.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunCheck.h"
#include "engine/run/RunReplace.h"
#include "lists/LegacyConversion.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/SettingsLocation.h"
#include "platform/StateLocation.h"

namespace {

enum ExitStatus : int {
    EverythingDone = 0,
    SomethingFailedOrSkipped = 1,
    NothingDone = 2,
};

int Refuse(const Console& console, const std::string& message)
{
    std::fprintf(console.Err, "tarvelox: %s\nTry 'tarvelox --help'.\n", message.c_str());
    return NothingDone;
}

DefaultsInForce DefaultsOf(const MainDialogStartValues& values, const SettingsStore& settings)
{
    return {settings.FilePath(),
            platform::PathExists(settings.FilePath()),
            values.BackUp != 0,
            values.FullAutomatic != 0,
            values.SubfolderRule != 0,
            values.ExtensionListText,
            values.ReplaceListName};
}

// -F and -R as typed on the terminal, in code page 932, or both in UTF-8 (`typed`) when
// code page 932 cannot hold one of them; the error names the option.
std::string TakeTerminalTexts(CommandRequest& request, const TerminalText& terminal, TextEncoding& typed)
{
    const bool everyFileUtf8 = request.Encoding == EncodingChoice::Utf8;
    const CommandRequest asTyped = request;
    typed = TextEncoding::ShiftJis;
    for (auto [text, name] : {std::pair{&request.FindText, "find text"}, {&request.ReplaceText, "replacement"}}) {
        if (!*text)
            continue;
        TerminalText::Taken taken = terminal.FromTerminal(**text, everyFileUtf8);
        if (!taken.Error.empty())
            return std::string("the ") + name + ": " + taken.Error;
        if (taken.Utf8)
            typed = TextEncoding::Utf8;
        **text = std::move(taken.Text);
    }
    // One text in UTF-8 keeps the other in UTF-8 too, as typed.
    if (typed == TextEncoding::Utf8) {
        request.FindText = asTyped.FindText;
        request.ReplaceText = asTyped.ReplaceText;
    }
    return std::string();
}

LeftOutCounts LeftOutOf(const NativeJob& run)
{
    auto walk = [&](WalkLeftOut why) { return run.WalkLeftOut[static_cast<std::size_t>(why)]; };
    return {run.NamedFilesLeftOut.size() + walk(WalkLeftOut::Extension), walk(WalkLeftOut::Hidden),
            walk(WalkLeftOut::Ignored), walk(WalkLeftOut::RepositoryFolder), run.MadeByRuns.size()};
}

// What a stop signal left: the files done are rewritten, the others untouched.
std::string StopSummary(int signal, std::size_t files, const ResultLog& log)
{
    const char* name = ::sigabbrev_np(signal);
    return std::string("stopped by SIG") + (name ? name : "?") + ": " + Plural(log.ChangedFiles(), "file", "files") +
           " changed before the stop, " + std::to_string(log.NotProcessed(files)) + " not processed";
}

// A size in KiB below 10 MiB, in MiB above; what is needed rounded up, what is free down,
// so that a lack never reads as the same figure twice.
std::string SizeText(std::uint64_t bytes, bool up)
{
    const int shift = bytes < (std::uint64_t{10} << 20) ? 10 : 20;
    const std::uint64_t unit = std::uint64_t{1} << shift;
    return std::to_string((bytes + (up ? unit - 1 : 0)) >> shift) + (shift == 10 ? " KiB" : " MiB");
}

// Why the run cannot keep its originals for undo, or empty when it can.
std::string JournalRefusal(JournalStart start, const JournalRoom& room, const std::string& runs,
                           const TerminalText& terminal)
{
    const std::string folder = terminal.Name(runs.empty() ? std::string("$XDG_STATE_HOME") : runs);
    switch (start) {
    case JournalStart::Kept:
        return std::string();
    case JournalStart::NoFolder:
        return "the undo journal's folder " + folder + " cannot be made";
    case JournalStart::NoRoom:
        return "the undo journal may need " + SizeText(room.Needed.value_or(0), true) +
               " for the originals of the listed files, and " + folder + " has " + SizeText(room.Free.value_or(0), false) +
               " free";
    case JournalStart::NotOpened:
        return "the undo journal cannot be written in " + folder;
    }
    return std::string();
}

}  // namespace

bool OutputDelivered(const Console& console)
{
    if (std::fflush(console.Out) == 0 && !std::ferror(console.Out))
        return true;
    std::fputs("tarvelox: standard output could not be written\n", console.Err);
    return false;
}

int RunNativeCommand(const std::vector<std::string>& arguments, const Console& console)
{
    if (arguments.size() <= 1) {
        std::fputs("Usage: tarvelox [option]... [file | folder | @list]...\nTry 'tarvelox --help'.\n", console.Err);
        return NothingDone;
    }
    ParsedArguments parsed = ParseNativeArguments(arguments);
    CommandRequest& request = parsed.Request;
    const TerminalText terminal(console.Charset, request.Bytes);
    if (!parsed.Error.empty())
        return Refuse(console, parsed.Error);
    if (request.DryRun && request.LogFile)
        return Refuse(console, "--log writes a file, and a preview (--dry-run) writes nothing");
    TextEncoding typed;
    if (const std::string error = TakeTerminalTexts(request, terminal, typed); !error.empty()) {
        std::fprintf(console.Err, "tarvelox: %s; nothing was changed\n", error.c_str());
        return NothingDone;
    }

    const std::string programDirectory = platform::GetProgramDirectory();
    SettingsStore settings;
    settings.SetFilePath(platform::SettingsFilePath(programDirectory, SettingsFileName));
    BregexpLibrary library;
    library.Load();
    if (request.Version) {
        std::fputs(VersionText(library, BregexpLibrary::DefaultPath()).c_str(), console.Out);
        return EverythingDone;
    }
    const CommandLineOptions options = OptionsOf(request, settings);
    const MainDialogStartValues values = StartValuesFrom(options, settings);
    if (request.Help) {
        std::fputs(terminal.ProgramText(UsageText(DefaultsOf(values, settings))).c_str(), console.Out);
        return EverythingDone;
    }

    if (request.Runs || request.Undo) {
        if (const std::string problem = UndoRequestProblem(request); !problem.empty())
            return Refuse(console, problem);
        return request.Runs ? ListRunsCommand(console, terminal) : RunUndoCommand(request, settings, console, terminal);
    }

    const bool filter = request.FileArguments.empty();
    if (filter && console.InputIsTerminal)
        return Refuse(console, "no file is named: name files, folders or @lists, or pipe a text into standard input");
    if (std::string problem = IgnoredOrMissing(request, values.FullAutomatic != 0); !problem.empty())
        return Refuse(console, problem);
    if (std::string problem = filter ? NotForAFilter(request) : std::string(); !problem.empty())
        return Refuse(console, problem);

    // The one-time conversion of a legacy list writes beside the program: not in a preview.
    if (!request.DryRun)
        ConvertLegacyList(programDirectory);
    NativeJob run;
    PrepareNativeJob(options, values, settings, library, {request.Hidden, !request.NoIgnore}, run);
    ReplaceJob& job = run.Job;
    job.Pattern.Typed = typed;
    if (request.Encoding)
        job.Encoding = *request.Encoding;
    job.Preview = request.DryRun;
    if (request.Jobs)
        job.Workers = *request.Jobs;
    if (!run.ListProblem.empty()) {
        std::fprintf(console.Err, "tarvelox: %s; nothing was changed\n", terminal.Name(run.ListProblem).c_str());
        return NothingDone;
    }
    // A rule that could not be read may be one that leaves out a file the user keeps out.
    for (const IgnoreFileProblem& problem : run.IgnoreFileProblems)
        std::fprintf(console.Err, "tarvelox: %s: %s; --no-ignore runs without ignore files; nothing was changed\n",
                     terminal.Name(ShownPath(problem.Path, platform::CurrentDirectory())).c_str(),
                     problem.Reason.c_str());
    if (!run.IgnoreFileProblems.empty())
        return NothingDone;
    std::fputs(PassedOverLines(run.PassedOver, terminal).c_str(), console.Err);
    if (const RunCheck check = CheckRun(job); check.Refused()) {
        std::fputs(RefusalLine(check, values.ReplaceListName, terminal).c_str(), console.Err);
        return NothingDone;
    }
    // Before the filter too: its output is as the replacement says.
    if (const std::string warning = ReplacementEscapeWarning(job); !warning.empty())
        std::fprintf(console.Err, "tarvelox: %s\n", terminal.ProgramText(warning).c_str());
    if (filter)
        return FilterStandardInput(job, console);
    const std::string currentFolder = platform::CurrentDirectory();
    if (request.LogFile)
        if (const std::optional<LogClash> clash = TakeOutLogFile(run, *request.LogFile))
            return Refuse(console, "--log=" + terminal.Name(*request.LogFile) + " is " +
                                       terminal.Name(ShownPath(clash->Path, currentFolder)) + ", " + clash->What +
                                       ": the log would take its place; nothing was changed");
    // The originals are kept before any file is touched, or the run is not started.
    UndoJournalSetup journal;
    const UndoSettings undo = ReadUndoSettings(settings);
    if (!job.Preview && !request.NoUndo && undo.Keep) {
        const std::string runs = platform::UndoRunsFolder();
        const JournalStart start =
            journal.Start(job, runs, undo, {currentFolder, RunWhat(job, values.ReplaceListName)});
        if (start != JournalStart::Kept) {
            std::fprintf(console.Err, "tarvelox: %s; --no-undo runs without undo; nothing was changed\n",
                         JournalRefusal(start, journal.Room(), runs, terminal).c_str());
            return NothingDone;
        }
    }
    // A log that cannot be made is found out before any file is touched.
    std::optional<LogFile> logFile;
    if (request.LogFile)
        logFile.emplace(*request.LogFile);
    if (logFile && !logFile->Make()) {
        std::fprintf(console.Err, "tarvelox: %s: the log cannot be written; nothing was changed\n",
                     terminal.Name(*request.LogFile).c_str());
        journal.Finish(job, false);
        return NothingDone;
    }
    for (const std::string& path : run.NamedFilesLeftOut)
        std::fprintf(console.Err, "tarvelox: %s: left out: its extension is not let in (-E, SETTING/AbleExt)\n",
                     terminal.Name(ShownPath(path, currentFolder)).c_str());

    ResultLog log;
    log.ResetLog();
    ConsoleProgress progress(console.Err, console.Interactive);
    // With --diff standard output is the diff alone, which patch can read; the lines of
    // the files go to standard error then.
    // With --diff the diff names every file that changes, and goes where a pager reads it:
    // the line of each file only with -v, the failures always, and a file whose encoding
    // was a guess.
    const Verbosity verbosity =
        request.Diff && request.Output == Verbosity::Normal ? Verbosity::FailuresOnly : request.Output;
    ResultLines lines(request.Diff ? console.Err : console.Out, verbosity, terminal, currentFolder, progress,
                      &run.Walked, request.DryRun || request.Diff);
    DiffPrinter diff(console.Out, terminal, currentFolder, progress);
    if (request.Diff)
        job.NewTexts = &diff;
    const StopSignals signals(job.AbortRequested);
    const RunOutcome outcome = RunReplace(job, log, lines);
    journal.Finish(job, outcome == RunOutcome::Completed);
    if (outcome == RunOutcome::Completed && !job.Preview)
        RemoveLeftoversOfFilesDone(run);
    const bool skipped = !run.NamedFilesLeftOut.empty() || !run.PassedOver.empty();
    int status = lines.Counts().Failed > 0 || skipped ? SomethingFailedOrSkipped : EverythingDone;
    const int signal = signals.Received();
    std::string summary;
    if (signal)
        summary = StopSummary(signal, job.Files.size(), log);
    else if (request.Output != Verbosity::Quiet)
        summary = SummaryLine(lines.Counts(), LeftOutOf(run), request.DryRun);
    progress.Finish(summary);
    if (!OutputDelivered(console) && status == EverythingDone)
        status = SomethingFailedOrSkipped;
    // A stopped run's log lists the files done. Files are changed by now: a log that
    // could not be written is a failure, not a refusal.
    if (logFile && !logFile->Write(log.Text())) {
        std::fprintf(console.Err, "tarvelox: %s: the log could not be written\n", terminal.Name(logFile->Path()).c_str());
        status = SomethingFailedOrSkipped;
    }
    return signal ? 128 + signal : status;
}
