#include "app/ReplaceListInUse.h"

#include "lists/ListFile.h"
#include "lists/ListLocations.h"
#include "platform/DoubleByte.h"
#include "platform/FileSearch.h"

ReplaceListInUse LoadReplaceListInUse(const std::string& name)
{
    ReplaceListInUse list;
    list.Path = platform::SearchFile(name);
    list.IsHistory = EqualIgnoringAsciiCase(list.Path, HistoryFilePath());
    if (!list.Path.empty())
        list.State = ReadPatternList(list.Path, list.Patterns) ? ReplaceListState::Read : ReplaceListState::Unreadable;
    return list;
}
