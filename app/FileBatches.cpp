#include "app/FileBatches.h"

#include "app/FileList.h"
#include "platform/Folders.h"
#include "platform/FullPath.h"

namespace {

// Ctrl reads only the first item, exactly as given, as a file-name list.
template <typename Item, typename AddItem>
void AddBatch(FileList& list, const std::vector<Item>& items, BatchKeys keys, AddItem addItem)
{
    if (keys.Shift)
        list.SetExtensionCheck(false);
    if (keys.Ctrl) {
        if (!items.empty())
            addItem(items.front(), true);
    } else {
        for (const Item& item : items)
            addItem(item, false);
    }
    list.SetExtensionCheck(true);
    list.EndBatch();
}

}  // namespace

void AddCommandLineFiles(FileList& list, const std::vector<std::string>& arguments, BatchKeys keys)
{
    AddBatch(list, arguments, keys, [&](const std::string& argument, bool nameList) {
        if (nameList || argument.starts_with('@')) {
            list.ReadFileNameList(nameList ? argument : argument.substr(1));
            return;
        }
        const platform::SystemName resolved = platform::ResolveStoredPath(argument);
        if (!resolved.NamesTheFile())
            list.RefuseName(resolved.Text);
        else if (resolved.Text.empty())
            list.PassOver(argument, platform::KindOf(argument) == platform::EntryKind::Missing
                                        ? MissingReason(argument)
                                        : PassedOverReason::NotFileOrFolder);
        else
            list.AddFileOrFolder(resolved.Text);
    });
}

void AddDroppedItems(FileList& list, const std::vector<platform::SystemName>& items, BatchKeys keys)
{
    list.DeselectAll();
    AddBatch(list, items, keys, [&](const platform::SystemName& item, bool nameList) {
        if (!item.NamesTheFile())
            list.RefuseName(item.Text);
        else if (nameList)
            list.ReadFileNameList(item.Text);
        else
            list.AddFileOrFolder(item.Text);
    });
}

void AddChosenFiles(FileList& list, const std::vector<std::string>& files, const std::vector<std::string>& refused)
{
    list.DeselectAll();
    for (const std::string& name : refused)
        list.RefuseName(name);
    AddBatch(list, files, BatchKeys{.Shift = true}, [&](const std::string& file, bool) { list.AddFile(file); });
}
