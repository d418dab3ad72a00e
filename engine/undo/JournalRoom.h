#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Whether the journal can keep the originals of a run's files, told before the run starts:
// at most every listed file changes, and each original then stays whole on the journal's
// disk (a second name holds on to the original's storage as a copy does).
struct JournalRoom {
    // The folder of runs could be made, and the disk that holds it has room for all.
    bool Enough = false;
    bool FolderMade = false;
    std::uint64_t Needed = 0;
    std::optional<std::uint64_t> Free;
};

JournalRoom RoomForOriginals(const std::vector<std::string>& files, const std::string& runs);
