#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Whether the journal can keep the originals of a run's files, told before the run starts:
// at most every listed file changes, and each original then stays whole on the journal's
// disk (a second name holds on to the original's storage as a copy does). When the files
// lie on the journal's disk and it has more free than it has in use, that is enough
// without a look at each file; a second name that cannot be made mid-run (a copy then
// finds no room) leaves its file as it was, told.
struct JournalRoom {
    // The folder of runs could be made, and the disk that holds it has room for all.
    bool Enough = false;
    bool FolderMade = false;
    // The sizes of the listed files, when they had to be counted.
    std::optional<std::uint64_t> Needed;
    std::optional<std::uint64_t> Free;
};

JournalRoom RoomForOriginals(const std::vector<std::string>& files, const std::string& runs);
