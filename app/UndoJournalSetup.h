#pragma once
// The undo journal of a run, as both programs keep it: the journal's bounds from the
// settings file, the check that the run's originals fit before the run starts, and the
// bounds applied once it has ended.
#include <optional>
#include <string>

#include "engine/undo/JournalRoom.h"
#include "engine/undo/KeptRuns.h"
#include "engine/undo/RunJournal.h"

class SettingsStore;
struct ReplaceJob;

// PROCESS/UndoRuns runs (0: no journal) with at most PROCESS/UndoSize MiB of originals
// in all but the newest.
struct UndoSettings {
    bool Keep = true;
    RunLimits Limits;
};
UndoSettings ReadUndoSettings(const SettingsStore& settings);

// What the journal says the run replaced: "find → replacement", or the replace list.
std::string RunWhat(const ReplaceJob& job, const std::string& listName);

enum class JournalStart {
    // The job carries the journal.
    Kept,
    // The folder of runs cannot be made where the journal belongs.
    NoFolder,
    // The listed files may need more room than the journal's disk has.
    NoRoom,
    // The run's folder in it cannot be made or written.
    NotOpened,
};

class UndoJournalSetup {
public:
    // Opens a journal in `runs` for the job that is about to start and gives it to the
    // job, unless the run's originals may not all be kept; nothing is kept then.
    JournalStart Start(ReplaceJob& job, const std::string& runs, const UndoSettings& settings,
                       const RunDescription& run);
    // Once the run has ended: its journal is closed and the kept runs held to their bounds.
    void Finish(ReplaceJob& job, bool completed);

    const JournalRoom& Room() const { return room_; }
    const std::string& Id() const { return journal_.Id(); }
    // The files the run put in place with their originals kept.
    std::size_t Committed() const { return journal_.Committed(); }

private:
    RunJournal journal_;
    JournalRoom room_;
    std::string runs_;
    RunLimits limits_;
    bool started_ = false;
};
