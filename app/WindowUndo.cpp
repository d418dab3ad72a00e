#include "app/WindowUndo.h"

#include "app/SettingsStore.h"
#include "engine/run/RunObserver.h"
#include "platform/CurrentDirectory.h"
#include "platform/StateLocation.h"

namespace {

// An undo's progress shown as a run's; the window's abort reaches the undo with it.
class UndoProgress final : public UndoObserver {
public:
    UndoProgress(RunObserver& progress, const AbortFlag& stop, AbortFlag& undo)
        : progress_(progress), stop_(stop), undo_(undo)
    {
    }
    void OnProgress(std::size_t done, std::size_t count) override
    {
        if (IsAborted(stop_))
            undo_ = true;
        progress_.OnProgress(done, count);
    }

private:
    RunObserver& progress_;
    const AbortFlag& stop_;
    AbortFlag& undo_;
};

}  // namespace

JournalChoice StartJournal(UndoJournalSetup& journal, ReplaceJob& job, const SettingsStore& settings,
                           const std::string& listName)
{
    const UndoSettings undo = ReadUndoSettings(settings);
    if (!undo.Keep)
        return JournalChoice::Kept;
    const JournalStart start = journal.Start(job, platform::UndoRunsFolder(), undo,
                                             {platform::CurrentDirectory(), RunWhat(job, listName)});
    return start == JournalStart::Kept ? JournalChoice::Kept : JournalChoice::CannotKeep;
}

std::optional<RunToTakeBack> LastRunToTakeBack()
{
    std::optional<KeptRun> run = LastRun(platform::UndoRunsFolder());
    if (!run || run->UndoFinished || run->Entries.size() <= run->Restored.size())
        return std::nullopt;
    const std::size_t files = run->Entries.size() - run->Restored.size();
    return RunToTakeBack{std::move(*run), files};
}

UndoOutcome UndoWithProgress(UndoJob& job, UndoLog& log, RunObserver& progress, const AbortFlag& stop)
{
    UndoProgress observer(progress, stop, job.AbortRequested);
    return UndoRun(job, log, observer);
}
