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
#include "platform/Folders.h"
#include "platform/FullPath.h"
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
    for (const std::string& argument : options.FileArguments)
        if (argument.starts_with('@'))
            run.NameLists.push_back(argument.substr(1));

    ReplaceJob& job = run.Job;
    job.Files = entries.Entries();
    job.Pattern = {values.FindText, values.ReplaceText, values.Options};
    const ReplaceListInUse list = LoadReplaceListInUse(values.ReplaceListName);
    job.Patterns = list.Patterns;
    job.PatternsState = list.State;
    if (values.FullAutomatic != 0 && list.State == ReplaceListState::Read) {
        run.ListProblem = TakeNativeList(list.Path, job.Patterns);
        run.ListPath = list.Path;
    }
    job.AllAuto = values.FullAutomatic != 0;
    job.BackUp = values.BackUp != 0;
    job.RegexLibrary = library.IsLoaded() ? &library : nullptr;
    job.Settings = &settings;
    job.Encoding = settings.ReadEncodingChoice();
    job.Workers = settings.ReadSwitch(Setting::Workers);
}

namespace {

// Where the log goes: the entry it names, or while it names none, the free name in its
// folder, which a backup made by the run may take first.
class LogPlace {
public:
    explicit LogPlace(const std::string& log)
        : entry_(platform::IdentityOf(log)),
          folder_(platform::FolderPartOf(platform::AbsolutePath(log))),
          name_(platform::AbsolutePath(log).substr(folder_.size()))
    {
    }
    bool Exists() const { return entry_.has_value(); }
    bool Is(const std::string& path) const
    {
        if (entry_)
            return platform::IdentityOf(path) == entry_;
        const std::string folder = platform::FolderPartOf(path);
        return path.compare(folder.size(), std::string::npos, name_) == 0 &&
               platform::IdentityOf(folder) == platform::IdentityOf(folder_);
    }

private:
    std::optional<platform::EntryIdentity> entry_;
    std::string folder_;
    std::string name_;
};

}  // namespace

std::optional<LogClash> TakeOutLogFile(NativeJob& run, const std::string& log)
{
    const LogPlace place(log);
    std::vector<std::string>& files = run.Job.Files;
    if (place.Exists()) {
        for (const std::string& path : files)
            if (!run.Walked.contains(path) && place.Is(path))
                return LogClash{path, "a file to rewrite"};
        std::erase_if(files, [&](const std::string& path) { return run.Walked.contains(path) && place.Is(path); });
        if (!run.ListPath.empty() && place.Is(run.ListPath))
            return LogClash{run.ListPath, "the replace list"};
        for (const std::string& list : run.NameLists)
            if (place.Is(list))
                return LogClash{list, "a file-name list"};
    }
    if (run.Job.BackUp)
        for (const std::string& path : files)
            if (place.Is(BackupPathOf(path)))
                return LogClash{BackupPathOf(path), "the backup of a file to rewrite"};
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
