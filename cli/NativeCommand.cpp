#include "cli/NativeCommand.h"

#include <algorithm>
#include <cinttypes>
#include <cstring>

#include "app/AutomaticRun.h"
#include "app/CommandLineOptions.h"
#include "app/FileBatches.h"
#include "app/FileList.h"
#include "app/PlainFileList.h"
#include "app/ReplaceListInUse.h"
#include "app/SettingsStore.h"
#include "app/StartValues.h"
#include "cli/ConsoleProgress.h"
#include "cli/EncodingOption.h"
#include "cli/InputMessages.h"
#include "cli/StopSignals.h"
#include "cli/Usage.h"
#include "engine/BregexpLibrary.h"
#include "engine/ReplaceJob.h"
#include "engine/ResultLog.h"
#include "engine/RunCheck.h"
#include "lists/LegacyConversion.h"
#include "platform/ProgramDirectory.h"
#include "platform/SettingsLocation.h"

namespace {

// "-h" is help here, not the automatic-mode switch: there is no other mode to switch from.
bool AsksForHelp(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin() + 1, arguments.end(),
                       [](const std::string& argument) { return argument == "-h" || argument == "--help"; });
}

std::string Summary(std::size_t files, const ResultLog& log)
{
    char text[160];
    std::snprintf(text, sizeof text, "%zu files, %" PRId64 " replacements, %zu failed; see replace.log", files,
                  log.Total(), log.FailedFiles());
    return text;
}

// What a stop signal left: the files done are in the log, the others untouched.
std::string StopSummary(int signal, std::size_t files, const ResultLog& log)
{
    const char* name = ::sigabbrev_np(signal);
    char text[200];
    std::snprintf(text, sizeof text,
                  "stopped by SIG%s: %zu files changed before the stop, %zu not processed; see replace.log",
                  name ? name : "?", log.ChangedFiles(), files - log.LoggedFiles());
    return text;
}

}  // namespace

int RunNativeCommand(const std::vector<std::string>& arguments, const Console& console)
{
    const std::string programDirectory = platform::GetProgramDirectory();
    const std::string settingsPath = platform::SettingsFilePath(programDirectory, SettingsFileName);
    if (arguments.size() <= 1) {
        std::fputs(UsageText(settingsPath).c_str(), console.Err);
        return RunNotCarriedOut;
    }
    if (AsksForHelp(arguments)) {
        std::fputs(UsageText(settingsPath).c_str(), console.Out);
        return 0;
    }

    const EncodingOption encoding = TakeEncodingOption(arguments);
    if (!encoding.Error.empty()) {
        std::fprintf(console.Err, "tarvelox: %s; nothing was changed\n", encoding.Error.c_str());
        return RunNotCarriedOut;
    }
    SettingsStore settings;
    settings.SetFilePath(settingsPath);
    ConvertLegacyList(programDirectory);
    const CommandLineOptions options = ParseCommandLine(encoding.Rest, settings);
    BregexpLibrary library;
    library.Load();
    const MainDialogStartValues values = StartValuesFrom(options, settings);

    PlainFileList entries;
    FileList files(entries);
    files.BuildExtensionList(values.ExtensionListText);
    files.SetSubfolderRule(values.SubfolderRule != 0);
    AddCommandLineFiles(files, options.FileArguments, BatchKeys{});

    ReplaceJob job;
    job.Files = entries.Entries();
    job.Pattern = {values.FindText, values.ReplaceText, values.Options};
    const ReplaceListInUse list = LoadReplaceListInUse(values.ReplaceListName);
    job.Patterns = list.Patterns;
    job.PatternsState = list.State;
    job.AllAuto = values.FullAutomatic != 0;
    job.BackUp = values.BackUp != 0;
    job.RegexLibrary = library.IsLoaded() ? &library : nullptr;
    job.Settings = &settings;
    job.Encoding = encoding.Choice.value_or(settings.ReadEncodingChoice());

    std::fputs(PassedOverLines(files.PassedOver()).c_str(), console.Err);
    if (const RunCheck check = CheckRun(job); check.Refused()) {
        std::fputs(RefusalLine(check, values.ReplaceListName).c_str(), console.Err);
        return RunNotCarriedOut;
    }
    ResultLog log;
    ConsoleProgress progress(console.Err, console.Interactive);
    const StopSignals signals(job.AbortRequested);
    const AutomaticRunStatus status = RunAutomatic(job, !files.PassedOver().empty(), log, progress);
    if (status == RunNotCarriedOut) {
        progress.Finish("");
        std::fputs("tarvelox: cannot write replace.log in the current directory\n", console.Err);
        return status;
    }
    if (const int signal = signals.Received()) {
        progress.Finish(StopSummary(signal, job.Files.size(), log));
        return 128 + signal;
    }
    progress.Finish(console.Interactive ? Summary(job.Files.size(), log) : std::string());
    return status;
}
