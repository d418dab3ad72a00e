#include "app/ReplaceListChoices.h"

#include "platform/DoubleByte.h"
#include "platform/FileSearch.h"
#include "platform/Folders.h"
#include "platform/PathRules.h"

namespace {

// A dot is never the second byte of a character, so the last four bytes are the extension.
bool HasListExtension(const std::string& name)
{
    constexpr std::string_view extension = ".lst";
    return name.size() >= extension.size() &&
           EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - extension.size()), extension);
}

}  // namespace

std::vector<std::string> ReplaceListsBeside(const std::string& listPath)
{
    const std::string found = platform::SearchFile(listPath);
    const std::size_t separator = FindLastCharacter(found, platform::PathSeparator);
    const std::string folder = separator == std::string::npos ? std::string() : found.substr(0, separator + 1);

    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder.empty() ? "." : folder, entries);
    std::vector<std::string> lists;
    for (const platform::FolderEntry& entry : entries)
        if (entry.Kind == platform::EntryKind::File && HasListExtension(entry.Name))
            lists.push_back(folder + entry.Name);
    return lists;
}
