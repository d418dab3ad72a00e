#include "platform/FileSystem.h"
#include "platform/Folders.h"

#include <windows.h>

#include <aclapi.h>

#include "platform/win32/FileReading.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// WriteFile moves at most a DWORD at a time.
constexpr DWORD MaxTransfer = 1u << 30;

// Another program holding the file open keeps it from being replaced for a moment
// (virus scanners, indexers); such a conflict is waited out for at most this long.
constexpr int SharingRetries = 10;
constexpr DWORD SharingRetryDelayMs = 50;

bool IsSharingConflict(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

HANDLE Handle(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

bool IsStillTheFileRead(const std::string& path, const FileStamp* read)
{
    if (!read)
        return true;
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FileStamp now;
    const bool same = StampOfHandle(file, now) && now == *read;
    ::CloseHandle(file);
    return same;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, FileContent& content)
{
    HANDLE file = OpenFileForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return ReadStatus::OpenFailed;
    content.SetReadPath(path);
    std::uint64_t size = 0;
    const ReadStatus status = SizeOfHandle(file, size) ? ReadOpenedFile(file, size, content) : ReadStatus::OpenFailed;
    ::CloseHandle(file);
    return status;
}

FileWriter::~FileWriter()
{
    Close();
}

namespace {

std::intptr_t OpenForWriting(const std::string& path, DWORD disposition)
{
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
}

}  // namespace

bool FileWriter::Create(const std::string& path)
{
    Close();
    handle_ = OpenForWriting(path, CREATE_ALWAYS);
    path_ = path;
    return IsOpen();
}

bool FileWriter::CreateNew(const std::string& path)
{
    Close();
    handle_ = OpenForWriting(path, CREATE_NEW);
    path_ = path;
    return IsOpen();
}

bool FileWriter::Write(const void* data, std::size_t length)
{
    if (!IsOpen())
        return false;
    auto bytes = static_cast<const char*>(data);
    while (length > 0) {
        DWORD put = 0;
        if (!::WriteFile(Handle(handle_), bytes, length < MaxTransfer ? static_cast<DWORD>(length) : MaxTransfer,
                         &put, nullptr) ||
            put == 0)
            return false;
        bytes += put;
        length -= put;
    }
    return true;
}

bool FileWriter::Flush()
{
    return IsOpen() && ::FlushFileBuffers(Handle(handle_));
}

bool FileWriter::FlushBeforeReplace()
{
    return Flush();
}

std::vector<bool> FileWriter::FlushBeforeReplaceTogether(std::span<FileWriter* const> writers)
{
    std::vector<bool> flushed(writers.size());
    for (std::size_t i = 0; i < writers.size(); ++i)
        flushed[i] = writers[i]->FlushBeforeReplace();
    return flushed;
}

bool FileWriter::Close()
{
    if (!IsOpen())
        return true;
    const bool closed = ::CloseHandle(Handle(handle_));
    handle_ = -1;
    return closed;
}

bool FileWriter::IsOpen() const
{
    return handle_ != -1 && Handle(handle_) != INVALID_HANDLE_VALUE;
}

std::optional<FileStamp> FileWriter::Stamp() const
{
    FileStamp stamp;
    if (!IsOpen() || !StampOfHandle(Handle(handle_), stamp))
        return std::nullopt;
    return stamp;
}

bool RemoveFile(const std::string& path)
{
    return ::DeleteFileW(WidePath(path).c_str());
}

// A file the program writes is open without the right for others to delete it, so the
// delete fails while a run holds it.
bool RemoveLeftover(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) && ::DeleteFileW(WidePath(path).c_str());
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    return ::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0);
}

namespace {

// A link would be replaced by a plain file.
bool IsReplaceableTarget(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

// Runs `step` until it succeeds, waiting out a sharing conflict for a short while.
template <typename Step>
bool RetryingSharingConflicts(Step step)
{
    for (int attempt = 0;; ++attempt) {
        if (step())
            return true;
        if (attempt + 1 >= SharingRetries || !IsSharingConflict(::GetLastError()))
            return false;
        ::Sleep(SharingRetryDelayMs);
    }
}

// Whether an access list holds an entry of the file's own, one not inherited from its folder.
bool HasOwnEntries(PACL list)
{
    for (DWORD index = 0; list && index < list->AceCount; ++index) {
        void* entry = nullptr;
        if (::GetAce(list, index, &entry) && !(static_cast<ACE_HEADER*>(entry)->AceFlags & INHERITED_ACE))
            return true;
    }
    return false;
}

// The new content takes the access list the user gave the file. A file whose list is all
// inherited from its folder needs nothing: the new file inherits the same. The file's own
// entries, or a list protected from inheritance, are copied, and where they cannot be the
// file is not replaced: it would lose who may read it.
bool KeepOwnAccessList(const std::string& from, const std::string& to)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL list = nullptr;
    const DWORD read = ::GetNamedSecurityInfoW(WidePath(to).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                               nullptr, &list, nullptr, &descriptor);
    // A file system without access lists has none to keep.
    if (read == ERROR_NOT_SUPPORTED || read == ERROR_INVALID_FUNCTION)
        return true;
    if (read != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    const bool isProtected = (control & SE_DACL_PROTECTED) != 0;
    bool kept = true;
    if (list && (isProtected || HasOwnEntries(list))) {
        const SECURITY_INFORMATION which =
            DACL_SECURITY_INFORMATION |
            (isProtected ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
        std::wstring fromPath = WidePath(from);
        kept = ::SetNamedSecurityInfoW(fromPath.data(), SE_FILE_OBJECT, which, nullptr, nullptr, list, nullptr) ==
               ERROR_SUCCESS;
    }
    ::LocalFree(descriptor);
    return kept;
}

}  // namespace

bool ReplaceAtomically(const std::string& from, const std::string& to, const FileStamp* read)
{
    const DWORD attributes = ::GetFileAttributesW(WidePath(to).c_str());
    if (!IsReplaceableTarget(attributes) || !IsStillTheFileRead(to, read))
        return false;
    const DWORD kept = attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (!KeepOwnAccessList(from, to) || !::SetFileAttributesW(WidePath(from).c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL))
        return false;
    return RenameReplacing(from, to);
}

// The attributes are given by name: a file cannot be moved while it is open here.
bool FileWriter::CloseAndReplace(const std::string& to, const FileStamp* read)
{
    return IsOpen() && Close() && ReplaceAtomically(path_, to, read);
}

bool CanReplace(const std::string& path, const FileStamp* read)
{
    if (!IsReplaceableTarget(::GetFileAttributesW(WidePath(path).c_str())) || !IsStillTheFileRead(path, read))
        return false;
    // Replacing needs the right to delete the file, which another program's open handle
    // may withhold; asking for it is the only reliable test.
    return RetryingSharingConflicts([&] {
        HANDLE file = ::CreateFileW(WidePath(path).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(file);
        return true;
    });
}

bool CanCreate(const std::string& path)
{
    // A name of a folder's entry holds at most 255 UTF-16 units; what the folder allows
    // only making the file tells.
    const std::string part = FolderPartOf(path);
    const DWORD named = ::GetFileAttributesW(WidePath(path).c_str());
    const bool free = named == INVALID_FILE_ATTRIBUTES ||
                      (named & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    return free && WidePath(path.substr(part.size())).size() <= 255;
}

bool MayBeReplaced(const std::string&)
{
    return true;
}

bool RenameReplacing(const std::string& from, const std::string& to)
{
    return RetryingSharingConflicts(
        [&] { return ::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0; });
}

// MoveFileEx writes its renames through.
void SyncFolderOf(const std::string&)
{
}

bool CopyFileNoOverwrite(const std::string& from, const std::string& to)
{
    return ::CopyFileW(WidePath(from).c_str(), WidePath(to).c_str(), TRUE);
}

bool LinkOrCopyFile(const std::string& from, const std::string& to)
{
    if (::CreateHardLinkW(WidePath(to).c_str(), WidePath(from).c_str(), nullptr))
        return true;
    return ::GetLastError() != ERROR_ALREADY_EXISTS && CopyFileNoOverwrite(from, to);
}

bool PathExists(const std::string& path)
{
    return ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReadOnlyFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    // In a folder whose name the program cannot carry, its look-alike is another folder:
    // the escaped name, which every path call reads back, or none.
    const SystemName name = NameFromSystem(path);
    return name.NamesTheFile() ? name.Text : std::string();
}

}  // namespace platform
