#pragma once
// The runs the journal keeps, in the folder of runs: what each one is, and the bound on
// how many of them, and how much of their originals, stay.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/undo/JournalText.h"
#include "engine/undo/RunFolder.h"
#include "platform/UndoFiles.h"

// The local time of `seconds` since 1970 written by `format`, which takes the year, month,
// day, hour, minute and second as six ints.
std::string LocalTimeText(std::int64_t seconds, const char* format);

struct KeptRun {
    RunFolder Folder;
    std::int64_t Started = 0;
    std::string CurrentFolder;
    std::string What;
    // Set once the run ended, killed runs aside; whether it went through or was stopped.
    std::optional<std::int64_t> Ended;
    bool Completed = false;
    // The files it put in place with their originals kept (read only when asked for), how
    // many, and the size of those.
    std::vector<JournalEntry> Entries;
    std::size_t Files = 0;
    std::uint64_t OriginalBytes = 0;
    // The entries an undo restored, and whether an undo went through to its end.
    std::vector<std::uint64_t> Restored;
    bool UndoFinished = false;
    // A run or an undo of it is at work now.
    bool InUse = false;
};

// How much of a run is read: its entries too, or, when its end told them, only how many
// files it put in place and their size (a run that ended wrote them; a killed one is read
// whole).
enum class RunReading { Whole, Counts };

// What `folder` holds, or nullopt when it is no run's folder that can be read.
std::optional<KeptRun> ReadRun(const RunFolder& folder, RunReading reading = RunReading::Whole);
// Every run kept in the folder of runs, the newest first.
std::vector<KeptRun> ListRuns(const std::string& runs, RunReading reading = RunReading::Whole);
// The run to take back when none is named: the newest one.
std::optional<KeptRun> LastRun(const std::string& runs);

struct RunLimits {
    std::size_t Runs = 10;
    std::uint64_t Bytes = 1024ull << 20;
};

// Removes the oldest runs until the others fit within `limits`; the newest is kept
// whatever its size, since it is the one an undo takes back. A run at work now is never
// removed, nor counted. Runs that kept nothing (killed before their first file) go too.
void PruneRuns(const std::string& runs, const RunLimits& limits);

// Removes a run's folder with everything in it; `lock`, when given, is held on it until
// nothing but the lock file is left.
bool RemoveRunFolder(const RunFolder& folder, platform::ExclusiveLock* lock = nullptr);
