#include "cli/NativeJob.h"

#include "app/CommandLineOptions.h"
#include "app/FileBatches.h"
#include "app/FileList.h"
#include "app/PlainFileList.h"
#include "app/ReplaceListInUse.h"
#include "app/SettingsStore.h"
#include "cli/NativeList.h"
#include "cli/NativeWalkFilter.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/DerivedNames.h"
#include "platform/FileSystem.h"
#include "platform/StateLocation.h"
#include "platform/UndoFiles.h"

void PrepareNativeJob(const CommandLineOptions& options, const MainDialogStartValues& values,
                      const SettingsStore& settings, const BregexpLibrary& library, const WalkChoices& walks,
                      NativeJob& run)
{
    PlainFileList entries;
    FileList files(entries);
    files.BuildExtensionList(values.ExtensionListText);
    files.SetSubfolderRule(values.SubfolderRule != 0);
    files.SetNamedFilesChecked(false);
    NativeWalkFilter filter(walks.Hidden, walks.IgnoreFiles);
    files.SetWalkFilter(&filter);
    files.SetWalkedFiles(&run.Walked);
    files.SetOwnFolder(platform::UndoRunsFolder());
    AddCommandLineFiles(files, options.FileArguments, BatchKeys{});
    run.NamedFilesLeftOut = files.NamedFilesLeftOut();
    for (std::size_t why = 0; why < WalkLeftOutKinds; ++why)
        run.WalkLeftOut[why] = files.WalkEntriesLeftOut(static_cast<WalkLeftOut>(why));
    run.PassedOver = files.PassedOver();
    run.MadeByRuns = files.MadeByRuns();
    run.IgnoreFileProblems = filter.Problems();

    ReplaceJob& job = run.Job;
    job.Files = entries.Entries();
    job.Pattern = {values.FindText, values.ReplaceText, values.Options};
    const ReplaceListInUse list = LoadReplaceListInUse(values.ReplaceListName);
    job.Patterns = list.Patterns;
    job.PatternsState = list.State;
    if (values.FullAutomatic != 0 && list.State == ReplaceListState::Read)
        run.ListProblem = TakeNativeList(list.Path, job.Patterns);
    job.AllAuto = values.FullAutomatic != 0;
    job.BackUp = values.BackUp != 0;
    job.RegexLibrary = library.IsLoaded() ? &library : nullptr;
    job.Settings = &settings;
    job.Encoding = settings.ReadEncodingChoice();
    job.Workers = settings.ReadSwitch(Setting::Workers);
}

std::optional<std::string> TakeOutLogFile(NativeJob& run, const std::string& log)
{
    // A log not made yet is no file of the run's.
    const std::optional<platform::FileStamp> logFile = platform::StampOfFile(log);
    if (!logFile)
        return std::nullopt;
    const auto isLog = [&](const std::string& path) {
        const std::optional<platform::FileStamp> file = platform::StampOfFile(path);
        return file && file->Volume == logFile->Volume && file->Index == logFile->Index;
    };
    std::vector<std::string>& files = run.Job.Files;
    for (const std::string& path : files)
        if (!run.Walked.contains(path) && isLog(path))
            return path;
    std::erase_if(files, [&](const std::string& path) { return run.Walked.contains(path) && isLog(path); });
    return std::nullopt;
}

void RemoveLeftoversOfFilesDone(const NativeJob& run)
{
    if (run.MadeByRuns.empty())
        return;
    const std::unordered_set<std::string> done(run.Job.Files.begin(), run.Job.Files.end());
    // Only a new text cut short: the content a file had, kept while its backup was made,
    // goes only when the file is backed up again.
    for (const std::string& made : run.MadeByRuns)
        if (const std::string file = *MadeBesideOf(made); made == TemporaryPathOf(file) && done.contains(file))
            platform::RemoveLeftover(made);
}
