#include "platform/UndoFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/posix/ExtendedAttributes.h"
#include "platform/posix/FileReading.h"
#include "platform/posix/ReplaceLock.h"

namespace platform {

namespace {

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// The owner first, since a change of owner clears the set-user-ID bit; only root may
// give a file away, anyone else's copy stays theirs.
bool TakeAttributes(const std::string& fromPath, const struct stat& from, int to)
{
    if (::fchown(to, from.st_uid, from.st_gid) != 0 && ::geteuid() == 0)
        return false;
    const struct timespec times[2] = {from.st_atim, from.st_mtim};
    return ::fchmod(to, from.st_mode & 07777) == 0 && CopyExtendedAttributes(fromPath, to) &&
           ::futimens(to, times) == 0;
}

}  // namespace

std::optional<FileStamp> StampOfName(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return StampOf(info);
}

std::optional<FileStamp> StampOfFile(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return StampOf(info);
}

std::optional<std::uint64_t> SizeOfFile(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

bool LinkFile(const std::string& from, const std::string& to)
{
    return ::link(from.c_str(), to.c_str()) == 0;
}

bool CopyFileWhole(const std::string& from, const std::string& to)
{
    const int source = OpenRetrying(from, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (source < 0)
        return false;
    struct stat info;
    const int target = ::fstat(source, &info) == 0 && S_ISREG(info.st_mode)
                           ? OpenRetrying(to, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600)
                           : -1;
    if (target < 0) {
        ::close(source);
        return false;
    }
    bool copied = CopyAll(source, target) && TakeAttributes(from, info, target) && ::fdatasync(target) == 0;
    ::close(source);
    copied = ::close(target) == 0 && copied;
    if (!copied)
        ::unlink(to.c_str());
    return copied;
}

bool PutBack(const std::string& from, const std::string& to, const FileStamp& expected)
{
    const ReplaceLock lock(to);
    struct stat now;
    return !lock.Failed() && ::lstat(to.c_str(), &now) == 0 && S_ISREG(now.st_mode) && StampOf(now) == expected &&
           ::rename(from.c_str(), to.c_str()) == 0;
}

bool SameAccess(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return ::lstat(a.c_str(), &first) == 0 && ::lstat(b.c_str(), &second) == 0 &&
           (first.st_mode & 07777) == (second.st_mode & 07777) && first.st_uid == second.st_uid &&
           first.st_gid == second.st_gid;
}

std::optional<DiskSpace> SpaceOf(const std::string& folder)
{
    struct statvfs info;
    if (::statvfs(folder.c_str(), &info) != 0)
        return std::nullopt;
    const std::uint64_t unit = info.f_frsize;
    return DiskSpace{static_cast<std::uint64_t>(info.f_bavail) * unit,
                     static_cast<std::uint64_t>(info.f_blocks - info.f_bfree) * unit, unit > 0 ? unit : 4096};
}

std::optional<std::uint64_t> FileSystemOf(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_dev);
}

bool MakeFolder(const std::string& folder)
{
    return ::mkdir(folder.c_str(), 0700) == 0;
}

bool MakeFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return IsFolder(folder);
}

bool RemoveFolder(const std::string& folder)
{
    return ::rmdir(folder.c_str()) == 0;
}

HeldFolder::~HeldFolder()
{
    Close();
}

bool HeldFolder::Open(const std::string& path)
{
    Close();
    handle_ = OpenRetrying(path, O_RDONLY | O_DIRECTORY);
    path_ = path;
    return handle_ >= 0;
}

void HeldFolder::Close()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
    handle_ = -1;
}

bool HeldFolder::Link(const std::string& from, const std::string& name) const
{
    return handle_ >= 0 && ::linkat(AT_FDCWD, from.c_str(), static_cast<int>(handle_), name.c_str(), 0) == 0;
}

ExclusiveLock::~ExclusiveLock()
{
    Release();
}

bool ExclusiveLock::TryTake(const std::string& path)
{
    Release();
    const int fd = OpenRetrying(path, O_RDWR | O_CREAT | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

void ExclusiveLock::Release()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
    handle_ = -1;
}

AppendFile::~AppendFile()
{
    Close();
}

bool AppendFile::Open(const std::string& path)
{
    Close();
    handle_ = OpenRetrying(path, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW, 0600);
    return handle_ >= 0;
}

bool AppendFile::Append(const std::string& piece)
{
    return handle_ >= 0 && WriteAll(static_cast<int>(handle_), piece.data(), piece.size());
}

bool AppendFile::Sync()
{
    return handle_ >= 0 && ::fdatasync(static_cast<int>(handle_)) == 0;
}

void AppendFile::Close()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
    handle_ = -1;
}

}  // namespace platform
