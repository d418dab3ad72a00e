#include "app/FileBatches.h"

#include "app/FileList.h"
#include "platform/Folders.h"
#include "platform/FullPath.h"

namespace {

// Ctrl reads only the first item, exactly as given, as a file-name list.
template <typename AddItem>
void AddBatch(FileList& list, const std::vector<std::string>& items, BatchKeys keys, AddItem addItem)
{
    if (keys.Shift)
        list.SetExtensionCheck(false);
    if (keys.Ctrl) {
        if (!items.empty())
            list.ReadFileNameList(items.front());
    } else {
        for (const std::string& item : items)
            addItem(item);
    }
    list.SetExtensionCheck(true);
    list.EndBatch();
}

}  // namespace

void AddCommandLineFiles(FileList& list, const std::vector<std::string>& arguments, BatchKeys keys)
{
    AddBatch(list, arguments, keys, [&](const std::string& argument) {
        if (argument.starts_with('@')) {
            list.ReadFileNameList(argument.substr(1));
            return;
        }
        const std::string resolved = platform::ResolveStoredPath(argument);
        if (resolved.empty())
            list.PassOver(argument, platform::KindOf(argument) == platform::EntryKind::Missing
                                        ? PassedOverReason::NotFound
                                        : PassedOverReason::NotFileOrFolder);
        else
            list.AddFileOrFolder(resolved);
    });
}

void AddDroppedItems(FileList& list, const std::vector<std::string>& items, BatchKeys keys)
{
    list.DeselectAll();
    AddBatch(list, items, keys, [&](const std::string& item) { list.AddFileOrFolder(item); });
}

void AddChosenFiles(FileList& list, const std::vector<std::string>& files)
{
    list.DeselectAll();
    AddBatch(list, files, BatchKeys{.Shift = true}, [&](const std::string& file) { list.AddFile(file); });
}
