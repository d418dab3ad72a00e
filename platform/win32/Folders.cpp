#include "platform/Folders.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

EntryKind KindOfAttributes(DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return attributes & FILE_ATTRIBUTE_REPARSE_POINT ? EntryKind::FolderLink : EntryKind::Folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? EntryKind::Other : EntryKind::File;
}

}  // namespace

EntryKind KindOf(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    // A folder named by the user is entered, whether or not it is a link.
    const EntryKind kind = KindOfAttributes(attributes);
    return kind == EntryKind::FolderLink ? EntryKind::Folder : kind;
}

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(WidePath(JoinPath(folder, "*.*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        const SystemName name = NameFromSystem(found.cFileName);
        if (name.Text != "." && name.Text != "..")
            entries.push_back({name.Text, KindOfAttributes(found.dwFileAttributes), name.NamesTheFile()});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return true;
}

}  // namespace platform
