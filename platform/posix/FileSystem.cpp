#include "platform/FileSystem.h"
#include "platform/posix/FileReading.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <linux/fs.h>
#endif

#include "platform/Folders.h"
#include "platform/posix/ExtendedAttributes.h"
#include "platform/posix/ReplaceLock.h"

namespace platform {

ReadStatus ReadWholeFile(const std::string& path, FileContent& content)
{
    std::string readPath;
    struct stat info;
    const int fd = OpenRegularFile(path, readPath, info);
    if (fd < 0)
        return ReadStatus::OpenFailed;
    content.SetReadPath(std::move(readPath));
    const ReadStatus status = ReadOpenedFile(fd, info, content);
    ::close(fd);
    return status;
}

FileWriter::~FileWriter()
{
    Close();
}

namespace {

int OpenForWriting(const std::string& path, int how, mode_t mode)
{
    int fd;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | how, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

bool FileWriter::Create(const std::string& path)
{
    Close();
    handle_ = OpenForWriting(path, O_TRUNC, 0666);
    path_ = path;
    return handle_ >= 0;
}

namespace {

// A new file, locked before it has its name, so that no other run ever sees it unlocked and
// takes it for a leftover: made without a name in its folder, locked, then linked to the
// name, which must be free. Where the file system cannot make a file without a name, it is
// made under the name and locked at once.
int CreateLockedNew(const std::string& path)
{
    int fd;
    do
        fd = ::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        fd = OpenForWriting(path, O_EXCL, 0600);
        if (fd >= 0)
            ::flock(fd, LOCK_EX | LOCK_NB);
        return fd;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool FileWriter::CreateNew(const std::string& path)
{
    Close();
    // Held while the file is written and until it has taken its name, so that another run
    // can tell it from a leftover of a run that was killed (RemoveLeftover).
    handle_ = CreateLockedNew(path);
    path_ = path;
    return handle_ >= 0;
}

bool FileWriter::Write(const void* data, std::size_t length)
{
    return handle_ >= 0 && WriteAll(static_cast<int>(handle_), static_cast<const char*>(data), length);
}

bool FileWriter::Flush()
{
    return handle_ >= 0 && ::fsync(static_cast<int>(handle_)) == 0;
}

bool FileWriter::FlushBeforeReplace()
{
    return handle_ >= 0 && ::fdatasync(static_cast<int>(handle_)) == 0;
}

std::vector<bool> FileWriter::FlushBeforeReplaceTogether(std::span<FileWriter* const> writers)
{
    std::vector<bool> flushed(writers.size());
#ifdef SYNC_FILE_RANGE_WRITE
    // One flush of each file system the files are on: its data and its metadata, the new
    // files' among them, reach the disk, and the disk's own cache is emptied. Then each
    // file's pages are waited for, which tells a write of that file that failed.
    std::vector<std::uint64_t> synced;
    for (std::size_t i = 0; i < writers.size(); ++i) {
        const int fd = static_cast<int>(writers[i]->handle_);
        if (fd < 0 || (!writers[i]->volume_ && !writers[i]->Stamp()))
            continue;
        const std::uint64_t volume = *writers[i]->volume_;
        const bool known = std::find(synced.begin(), synced.end(), volume) != synced.end();
        if (!known && ::syncfs(fd) != 0)
            continue;
        synced.push_back(volume);
        flushed[i] = ::sync_file_range(fd, 0, 0,
                                       SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                           SYNC_FILE_RANGE_WAIT_AFTER) == 0;
    }
#endif
    // Where that could not be done, each file on its own.
    for (std::size_t i = 0; i < writers.size(); ++i)
        if (!flushed[i])
            flushed[i] = writers[i]->FlushBeforeReplace();
    return flushed;
}

bool FileWriter::Close()
{
    if (handle_ < 0)
        return true;
    const bool closed = ::close(static_cast<int>(handle_)) == 0;
    handle_ = -1;
    volume_.reset();
    return closed;
}

bool FileWriter::IsOpen() const
{
    return handle_ >= 0;
}

std::optional<FileStamp> FileWriter::Stamp() const
{
    struct stat info;
    if (handle_ < 0 || ::fstat(static_cast<int>(handle_), &info) != 0)
        return std::nullopt;
    const FileStamp stamp = StampOf(info);
    volume_ = stamp.Volume;
    return stamp;
}

bool RemoveFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the flag: a checked rename.
    struct stat info;
    if (::lstat(to.c_str(), &info) == 0)
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

// No write permission for anyone is the read-only attribute of this platform; checked on
// the bits because root passes every access() test.
bool IsWritableRegularFile(const struct stat& info)
{
    return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0;
}

// lstat: a link is not a regular file, so a link is never replaced by a plain file.
bool IsReplaceable(const std::string& path, const FileStamp* read, struct stat& info)
{
    return ::lstat(path.c_str(), &info) == 0 && IsWritableRegularFile(info) && (!read || StampOf(info) == *read);
}

// Gives the open new file `fd` the owner and group of the file `to` it is to replace, then
// its bits (in this order, since a change of owner clears the set-user-ID bit). False when
// `to` cannot be replaced now.
bool TakeAttributesOf(int fd, const std::string& to, const FileStamp* read, struct stat& made)
{
    struct stat target;
    if (!IsReplaceable(to, read, target) || ::fstat(fd, &made) != 0)
        return false;
    if ((made.st_uid != target.st_uid || made.st_gid != target.st_gid) &&
        ::fchown(fd, target.st_uid, target.st_gid) != 0 && ::geteuid() == 0)
        return false;
    // The access control list after the bits, whose group bits it sets as its mask.
    return ::fchmod(fd, target.st_mode & 07777) == 0 && CopyExtendedAttributes(to, fd);
}

}  // namespace

bool ReplaceAtomically(const std::string& from, const std::string& to, const FileStamp* read)
{
    // Opened only to be given the attributes; a link at `from` is not followed.
    int fd;
    do
        fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    const ReplaceLock lock(to);
    struct stat made;
    const bool given = !lock.Failed() && TakeAttributesOf(fd, to, read, made);
    ::close(fd);
    return given && ::rename(from.c_str(), to.c_str()) == 0;
}

bool FileWriter::CloseAndReplace(const std::string& to, const FileStamp* read)
{
    const ReplaceLock lock(to);
    struct stat own;
    if (handle_ < 0 || lock.Failed() || !TakeAttributesOf(static_cast<int>(handle_), to, read, own))
        return false;
    // Renamed while still open and locked, so that no other run takes it for a leftover;
    // a write that failed was reported by the flush before. The name must still be this
    // file's: a file put there by anyone else is never moved over `to`.
    struct stat named;
    if (::lstat(path_.c_str(), &named) != 0 || named.st_dev != own.st_dev || named.st_ino != own.st_ino ||
        ::rename(path_.c_str(), to.c_str()) != 0)
        return false;
    Close();
    return true;
}

bool RemoveLeftover(const std::string& path)
{
    int fd;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno == ENOENT;
    struct stat opened;
    struct stat named;
    // A file another run holds is in use; a link or a folder under the name is nobody's
    // leftover.
    const bool leftover = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                          ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
                          named.st_dev == opened.st_dev && named.st_ino == opened.st_ino &&
                          ::unlink(path.c_str()) == 0;
    ::close(fd);
    return leftover;
}

bool CanReplace(const std::string& path, const FileStamp* read)
{
    struct stat target;
    return IsReplaceable(path, read, target);
}

bool CanCreate(const std::string& path)
{
    const std::string part = FolderPartOf(path);
    const std::string folder = part.empty() ? "." : part;
    const long most = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    struct stat named;
    const bool free = ::lstat(path.c_str(), &named) != 0 ? errno == ENOENT : S_ISREG(named.st_mode);
    return free && ::access(folder.c_str(), W_OK | X_OK) == 0 &&
           path.size() - part.size() <= static_cast<std::size_t>(most > 0 ? most : 255);
}

bool MayBeReplaced(const std::string& path)
{
    int fd;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return true;
    bool fixed = false;
#if defined(FS_IOC_GETFLAGS)
    int flags = 0;
    fixed = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
#endif
    ::close(fd);
    return !fixed;
}

bool RenameReplacing(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFileNoOverwrite(const std::string& from, const std::string& to)
{
    FileContent content;
    if (ReadWholeFile(from, content) != ReadStatus::Ok)
        return false;
    struct stat source;
    if (::stat(from.c_str(), &source) != 0)
        return false;
    int fd;
    do
        fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, source.st_mode & 07777);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, content.Data(), content.Size());
    written = ::close(fd) == 0 && written;
    if (!written)
        ::unlink(to.c_str());
    return written;
}

bool LinkOrCopyFile(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    return CopyFileNoOverwrite(from, to);
}

void SyncFolderOf(const std::string& path)
{
    int fd;
    do
        fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool PathExists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsReadOnlyFile(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string ModulePath()
{
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            return std::string();
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace platform
