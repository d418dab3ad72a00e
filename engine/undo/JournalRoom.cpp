#include "engine/undo/JournalRoom.h"

#include <unordered_map>

#include "platform/PathRules.h"
#include "platform/UndoFiles.h"

namespace {

// Whether every file lies on the file system `disk`, asked of their folders, each once.
bool AllOnFileSystem(const std::vector<std::string>& files, std::uint64_t disk)
{
    std::unordered_map<std::string, bool> folders;
    for (const std::string& file : files) {
        const auto [place, added] = folders.try_emplace(std::string(platform::FolderOfPath(file)), false);
        if (added)
            place->second = platform::FileSystemOf(place->first) == disk;
        if (!place->second)
            return false;
    }
    return true;
}

}  // namespace

JournalRoom RoomForOriginals(const std::vector<std::string>& files, const std::string& runs)
{
    JournalRoom room;
    room.FolderMade = !runs.empty() && platform::MakeFolders(runs);
    if (!room.FolderMade)
        return room;
    const std::optional<platform::DiskSpace> space = platform::SpaceOf(runs);
    if (space)
        room.Free = space->Free;
    // Second names of the originals hold on to storage the files already take up on the
    // journal's own disk: with more free than used there, no file need be looked at.
    const std::optional<std::uint64_t> disk = platform::FileSystemOf(runs);
    if (space && disk && space->Free >= space->Used && AllOnFileSystem(files, *disk)) {
        room.Enough = true;
        return room;
    }
    // Each copy takes whole blocks: 200 files of a few bytes need 200 blocks, not a few
    // hundred bytes.
    const std::uint64_t block = space ? space->Block : 4096;
    std::uint64_t needed = 0;
    for (const std::string& file : files)
        needed += (platform::SizeOfFile(file).value_or(0) + block - 1) / block * block;
    room.Needed = needed;
    room.Enough = room.Free && *room.Free >= needed;
    return room;
}
