#include "platform/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

int OpenForReading(const std::string& path)
{
    int fd;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// The largest transfer Linux makes in one call.
constexpr std::size_t MaxTransfer = 0x7ffff000;

bool WriteAll(int fd, const char* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t put = ::write(fd, data, length < MaxTransfer ? length : MaxTransfer);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        length -= static_cast<std::size_t>(put);
    }
    return true;
}

bool ReadFully(int fd, char* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t got = ::read(fd, data, length < MaxTransfer ? length : MaxTransfer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, FileContent& content)
{
    const int fd = OpenForReading(path);
    if (fd < 0)
        return ReadStatus::OpenFailed;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadStatus::OpenFailed;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size >= SIZE_MAX || !content.Allocate(static_cast<std::size_t>(size))) {
        ::close(fd);
        return ReadStatus::NoMemory;
    }
    const bool read = ReadFully(fd, content.Data(), content.Size());
    ::close(fd);
    return read ? ReadStatus::Ok : ReadStatus::ReadFailed;
}

FileWriter::~FileWriter()
{
    Close();
}

bool FileWriter::Create(const std::string& path)
{
    Close();
    int fd;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    handle_ = fd;
    return fd >= 0;
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
    return handle_ >= 0;
}

bool FileWriter::Close()
{
    if (handle_ < 0)
        return true;
    const bool closed = ::close(static_cast<int>(handle_)) == 0;
    handle_ = -1;
    return closed;
}

bool FileWriter::IsOpen() const
{
    return handle_ >= 0;
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

}  // namespace

bool ReplaceAtomically(const std::string& from, const std::string& to)
{
    struct stat target;
    if (::stat(to.c_str(), &target) != 0 || !IsWritableRegularFile(target))
        return false;
    if (::chmod(from.c_str(), target.st_mode & 07777) != 0)
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CanReplace(const std::string& path)
{
    struct stat target;
    return ::stat(path.c_str(), &target) == 0 && IsWritableRegularFile(target);
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
