#include "app/OpenEntries.h"

#include "app/FileListControl.h"
#include "platform/DoubleByte.h"
#include "platform/PathRules.h"

std::size_t SelectedCount(const FileListControl& control)
{
    std::size_t selected = 0;
    for (std::size_t i = 0; i < control.Count(); ++i)
        selected += control.IsSelected(i) ? 1 : 0;
    return selected;
}

bool CanOpenSelection(const FileListControl& control)
{
    const std::size_t selected = SelectedCount(control);
    return selected > 0 && selected <= MostEntriesOpened;
}

std::vector<std::string> EntriesToOpen(const FileListControl& control)
{
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < control.Count(); ++i) {
        if (!control.IsSelected(i))
            continue;
        if (entries.size() == MostEntriesOpened)
            return {};
        entries.push_back(control.Entry(i));
    }
    return entries;
}

std::string FolderOfEntry(const std::string& path)
{
    const std::size_t separator = FindLastCharacter(path, platform::PathSeparator);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

ProcessStart EditorStart(const std::string& editor, const std::string& path)
{
    return {"\"" + editor + "\" \"" + path + "\"", FolderOfEntry(path)};
}
