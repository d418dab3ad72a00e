#include "cli/NativeJob.h"

#include "app/CommandLineOptions.h"
#include "app/FileBatches.h"
#include "app/FileList.h"
#include "app/PlainFileList.h"
#include "app/ReplaceListInUse.h"
#include "app/SettingsStore.h"
#include "engine/regex/BregexpLibrary.h"

void PrepareNativeJob(const CommandLineOptions& options, const MainDialogStartValues& values,
                      const SettingsStore& settings, const BregexpLibrary& library, NativeJob& run)
{
    PlainFileList entries;
    FileList files(entries);
    files.BuildExtensionList(values.ExtensionListText);
    files.SetSubfolderRule(values.SubfolderRule != 0);
    AddCommandLineFiles(files, options.FileArguments, BatchKeys{});
    run.NamedFilesLeftOut = files.NamedFilesLeftOut();
    run.FolderFilesLeftOut = files.FolderFilesLeftOut();
    run.PassedOver = files.PassedOver();

    ReplaceJob& job = run.Job;
    job.Files = entries.Entries();
    job.Pattern = {values.FindText, values.ReplaceText, values.Options};
    const ReplaceListInUse list = LoadReplaceListInUse(values.ReplaceListName);
    job.Patterns = list.Patterns;
    job.PatternsState = list.State;
    job.AllAuto = values.FullAutomatic != 0;
    job.BackUp = values.BackUp != 0;
    job.RegexLibrary = library.IsLoaded() ? &library : nullptr;
    job.Settings = &settings;
    job.Encoding = settings.ReadEncodingChoice();
    job.Workers = settings.ReadSwitch(Setting::Workers);
}
