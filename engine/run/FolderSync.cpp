#include "engine/run/FolderSync.h"

#include "platform/FileSystem.h"
#include "platform/PathRules.h"

void SyncFoldersOf(const std::set<std::string>& files)
{
    std::set<std::string_view> folders;
    for (const std::string& file : files)
        if (folders.insert(platform::FolderOfPath(file)).second)
            platform::SyncFolderOf(file);
}
