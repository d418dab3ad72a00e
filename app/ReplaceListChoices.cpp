#include "app/ReplaceListChoices.h"

#include "app/ExtensionList.h"
#include "platform/FileSearch.h"
#include "platform/Folders.h"

std::vector<std::string> ReplaceListsBeside(const std::string& listPath, const std::string& programDirectory)
{
    std::string folder = platform::FolderPartOf(platform::SearchFile(listPath));
    if (folder.empty())
        folder = programDirectory;

    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder, entries);
    const ExtensionList listExtension{"lst"};
    std::vector<std::string> lists;
    for (const platform::FolderEntry& entry : entries)
        if (entry.Kind == platform::EntryKind::File && PassesExtensionCheck(listExtension, entry.Name))
            lists.push_back(folder + entry.Name);
    return lists;
}
