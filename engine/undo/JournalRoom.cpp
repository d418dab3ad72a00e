#include "engine/undo/JournalRoom.h"

#include "platform/UndoFiles.h"

JournalRoom RoomForOriginals(const std::vector<std::string>& files, const std::string& runs)
{
    JournalRoom room;
    room.FolderMade = !runs.empty() && platform::MakeFolders(runs);
    if (!room.FolderMade)
        return room;
    for (const std::string& file : files)
        room.Needed += platform::SizeOfFile(file).value_or(0);
    room.Free = platform::FreeSpaceOf(runs);
    room.Enough = room.Free && *room.Free >= room.Needed;
    return room;
}
