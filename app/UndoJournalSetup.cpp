#include "app/UndoJournalSetup.h"

#include "app/SettingsStore.h"
#include "engine/rewrite/ReplaceJob.h"

UndoSettings ReadUndoSettings(const SettingsStore& settings)
{
    UndoSettings undo;
    const int runs = settings.ReadSwitch(Setting::UndoRuns);
    const int mebibytes = settings.ReadSwitch(Setting::UndoSize);
    undo.Keep = runs > 0;
    undo.Limits.Runs = runs > 0 ? static_cast<std::size_t>(runs) : 0;
    undo.Limits.Bytes = mebibytes > 0 ? static_cast<std::uint64_t>(mebibytes) << 20 : 0;
    return undo;
}

std::string RunWhat(const ReplaceJob& job, const std::string& listName)
{
    if (job.AllAuto)
        return "-A " + listName;
    return job.Pattern.Find + " → " + job.Pattern.Replace;
}

JournalStart UndoJournalSetup::Start(ReplaceJob& job, const std::string& runs, const UndoSettings& settings,
                                     const RunDescription& run)
{
    room_ = RoomForOriginals(job.Files, runs);
    if (!room_.FolderMade)
        return JournalStart::NoFolder;
    if (!room_.Enough)
        return JournalStart::NoRoom;
    if (!journal_.Open(runs, run))
        return JournalStart::NotOpened;
    runs_ = runs;
    limits_ = settings.Limits;
    started_ = true;
    job.Commits = &journal_;
    return JournalStart::Kept;
}

void UndoJournalSetup::Finish(ReplaceJob& job, bool completed)
{
    if (!started_)
        return;
    started_ = false;
    job.Commits = nullptr;
    journal_.Close(completed);
    PruneRuns(runs_, limits_);
}
