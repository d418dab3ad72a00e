#include "engine/run/FolderSync.h"

#include "platform/FileSystem.h"

void SyncFoldersOf(const std::set<std::string>& files)
{
    std::set<std::string> folders;
    for (const std::string& file : files) {
        const std::size_t separator = file.find_last_of(platform::PathSeparator);
        if (folders.insert(separator == std::string::npos ? std::string() : file.substr(0, separator)).second)
            platform::SyncFolderOf(file);
    }
}
