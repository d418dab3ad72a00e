#include "platform/UndoFiles.h"

#include <windows.h>

#include "platform/Folders.h"
#include "platform/win32/FileReading.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

HANDLE Handle(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

bool IsOpen(std::intptr_t handle)
{
    return handle != -1 && Handle(handle) != INVALID_HANDLE_VALUE;
}

std::optional<FileStamp> StampOfRegularFile(const std::string& path, DWORD flags)
{
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                flags | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information;
    FileStamp stamp;
    const bool regular = ::GetFileInformationByHandle(file, &information) &&
                         !(information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
                         StampOfHandle(file, stamp);
    ::CloseHandle(file);
    if (!regular)
        return std::nullopt;
    return stamp;
}

}  // namespace

std::optional<FileStamp> StampOfName(const std::string& path)
{
    return StampOfRegularFile(path, FILE_FLAG_OPEN_REPARSE_POINT);
}

std::optional<FileStamp> StampOfFile(const std::string& path)
{
    return StampOfRegularFile(path, 0);
}

std::optional<std::uint64_t> SizeOfFile(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool LinkFile(const std::string& from, const std::string& to)
{
    return ::CreateHardLinkW(WidePath(to).c_str(), WidePath(from).c_str(), nullptr) != 0;
}

bool CopyFileWhole(const std::string& from, const std::string& to)
{
    if (!::CopyFileW(WidePath(from).c_str(), WidePath(to).c_str(), TRUE))
        return false;
    HANDLE file = ::CreateFileW(WidePath(to).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool flushed = file != INVALID_HANDLE_VALUE && ::FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (!flushed)
        ::DeleteFileW(WidePath(to).c_str());
    return flushed;
}

bool PutBack(const std::string& from, const std::string& to, const FileStamp& expected)
{
    const std::optional<FileStamp> now = StampOfName(to);
    return now && *now == expected && RenameReplacing(from, to);
}

bool SameAccess(const std::string& a, const std::string& b)
{
    const DWORD first = ::GetFileAttributesW(WidePath(a).c_str());
    const DWORD second = ::GetFileAttributesW(WidePath(b).c_str());
    return first != INVALID_FILE_ATTRIBUTES && second != INVALID_FILE_ATTRIBUTES &&
           (first & FILE_ATTRIBUTE_READONLY) == (second & FILE_ATTRIBUTE_READONLY);
}

std::optional<DiskSpace> SpaceOf(const std::string& folder)
{
    ULARGE_INTEGER available, total, free;
    if (!::GetDiskFreeSpaceExW(WidePath(folder).c_str(), &available, &total, &free))
        return std::nullopt;
    DiskSpace space{available.QuadPart, total.QuadPart - free.QuadPart};
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (::GetDiskFreeSpaceW(WidePath(folder).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) &&
        sectorsPerCluster * bytesPerSector > 0)
        space.Block = std::uint64_t{sectorsPerCluster} * bytesPerSector;
    return space;
}

std::optional<std::uint64_t> FileSystemOf(const std::string& path)
{
    const std::optional<EntryIdentity> identity = IdentityOf(path);
    if (!identity)
        return std::nullopt;
    return identity->Volume;
}

bool MakeFolder(const std::string& folder)
{
    return ::CreateDirectoryW(WidePath(folder).c_str(), nullptr) != 0;
}

bool MakeFolders(const std::string& folder)
{
    // Past the root: "C:\" or "\\server\share\".
    std::size_t from = 3;
    if (folder.starts_with("\\\\")) {
        const std::size_t share = folder.find('\\', 2);
        from = share == std::string::npos ? folder.size() : folder.find('\\', share + 1);
    }
    for (std::size_t separator = folder.find('\\', from);; separator = folder.find('\\', separator + 1)) {
        const std::string part = folder.substr(0, separator);
        if (!::CreateDirectoryW(WidePath(part).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS &&
            !IsFolder(part))
            return false;
        if (separator == std::string::npos)
            break;
    }
    return IsFolder(folder);
}

bool RemoveFolder(const std::string& folder)
{
    return ::RemoveDirectoryW(WidePath(folder).c_str()) != 0;
}

// Windows has no calls relative to a folder's handle: the folder is named by its path.
HeldFolder::~HeldFolder()
{
    Close();
}

bool HeldFolder::Open(const std::string& path)
{
    path_ = path;
    return IsFolder(path);
}

void HeldFolder::Close()
{
    path_.clear();
}

bool HeldFolder::Link(const std::string& from, const std::string& name) const
{
    return !path_.empty() && LinkFile(from, JoinPath(path_, name));
}

ExclusiveLock::~ExclusiveLock()
{
    Release();
}

bool ExclusiveLock::TryTake(const std::string& path)
{
    Release();
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    OVERLAPPED start{};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        ::CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

void ExclusiveLock::Release()
{
    if (IsOpen(handle_))
        ::CloseHandle(Handle(handle_));
    handle_ = -1;
}

AppendFile::~AppendFile()
{
    Close();
}

bool AppendFile::Open(const std::string& path)
{
    Close();
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle_ = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    return IsOpen(handle_);
}

bool AppendFile::Append(const std::string& piece)
{
    DWORD put = 0;
    return IsOpen(handle_) && ::WriteFile(Handle(handle_), piece.data(), static_cast<DWORD>(piece.size()), &put, nullptr) &&
           put == piece.size();
}

bool AppendFile::Sync()
{
    return IsOpen(handle_) && ::FlushFileBuffers(Handle(handle_));
}

void AppendFile::Close()
{
    if (IsOpen(handle_))
        ::CloseHandle(Handle(handle_));
    handle_ = -1;
}

}  // namespace platform
