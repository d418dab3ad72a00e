#pragma once
// Where a run's journal lies: one folder per run in the folder of runs, named by the run's
// identifier (its start, "20250609-143012", and a number when two runs start in the same
// second), holding the files below.
#include <cstdint>
#include <string>

#include "platform/Folders.h"

struct RunFolder {
    std::string Path;
    std::string Id;

    RunFolder() = default;
    RunFolder(const std::string& runs, std::string id) : Path(platform::JoinPath(runs, id)), Id(std::move(id)) {}

    // Held by the run while it writes its journal, and by an undo of it while that works.
    std::string Lock() const { return platform::JoinPath(Path, "lock"); }
    // When the run started and ended, where and what it replaced (FactLine).
    std::string Facts() const { return platform::JoinPath(Path, "run"); }
    // One line per file kept (KeptLine, DroppedLine).
    std::string Journal() const { return platform::JoinPath(Path, "journal"); }
    // What undos of the run restored, and whether one finished (FactLine).
    std::string Undone() const { return platform::JoinPath(Path, "undone"); }
    std::string Originals() const { return platform::JoinPath(Path, "originals"); }
    std::string Original(std::uint64_t number) const { return platform::JoinPath(Originals(), std::to_string(number)); }
};
