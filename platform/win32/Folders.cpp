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

// A folder opens for its information only with the backup flag.
HANDLE OpenForInformation(const std::string& path)
{
    return ::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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

bool IsLink(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::optional<EntryIdentity> IdentityOf(const std::string& path)
{
    HANDLE file = OpenForInformation(path);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information;
    const bool told = ::GetFileInformationByHandle(file, &information) != 0;
    ::CloseHandle(file);
    if (!told)
        return std::nullopt;
    return EntryIdentity{information.dwVolumeSerialNumber,
                         (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

std::string FinalPath(const std::string& path)
{
    HANDLE file = OpenForInformation(path);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
    }
    ::CloseHandle(file);
    if (length == 0 || length >= final.size())
        return std::string();
    final.resize(length);
    // The prefix of a long path tells nothing of the folders on the way.
    if (final.rfind(L"\\\\?\\", 0) == 0)
        final.erase(0, 4);
    return NameFromSystem(final).Text;
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
            entries.push_back({name.Text, KindOfAttributes(found.dwFileAttributes), name.NamesTheFile(),
                               (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return true;
}

}  // namespace platform
