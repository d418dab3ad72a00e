#pragma once
// The undo journal as the program keeps it for a run of the window or of its automatic
// mode, and the undo of the last run that "元に戻す(&U)" starts.
#include <cstddef>
#include <optional>
#include <string>

#include "app/UndoJournalSetup.h"
#include "engine/run/RunReplace.h"
#include "engine/undo/UndoRun.h"

class RunObserver;
class SettingsStore;

enum class JournalChoice {
    // The run keeps its journal, or the settings keep none (UndoRuns=0).
    Kept,
    // The journal cannot keep the originals: the run may go without undo if the user agrees.
    CannotKeep,
};

// Opens the journal of the job about to run, unless the settings keep none.
JournalChoice StartJournal(UndoJournalSetup& journal, ReplaceJob& job, const SettingsStore& settings,
                           const std::string& listName);

// The newest run kept that is not taken back whole, and how many of its files an undo
// would take; nullopt when there is none.
struct RunToTakeBack {
    KeptRun Run;
    std::size_t Files = 0;
};
std::optional<RunToTakeBack> LastRunToTakeBack();

// The undo of `job` with its progress told to `progress`; `stop` (the window's abort
// flag) stops it at the next file.
UndoOutcome UndoWithProgress(UndoJob& job, UndoLog& log, RunObserver& progress, const AbortFlag& stop);
