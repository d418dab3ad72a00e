#include "platform/posix/FileReading.h"

#include "platform/PathRules.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// Without O_NONBLOCK the open of a pipe would wait for a writer forever; a regular file
// does not notice the flag. A symbolic link is not followed (ELOOP). Reading leaves the
// access time alone where the system lets the user ask for that (own files, or root), so
// that a file a run only reads, or a preview, keeps every time it had.
int OpenForReading(const std::string& path)
{
    constexpr int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_NOATIME);
    while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno == EPERM) {
        do
            fd = ::open(path.c_str(), flags);
        while (fd < 0 && errno == EINTR);
    }
    return fd;
}

}  // namespace

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

bool CopyAll(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!WriteAll(to, buffer, static_cast<std::size_t>(got)))
            return false;
    }
}

std::string ResolvedLink(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return std::string();
    std::string target(resolved);
    std::free(resolved);
    return target;
}

FileStamp StampOf(const struct stat& info)
{
    FileStamp stamp;
    stamp.Volume = static_cast<std::uint64_t>(info.st_dev);
    stamp.Index = static_cast<std::uint64_t>(info.st_ino);
    stamp.Size = static_cast<std::uint64_t>(info.st_size);
    stamp.Modified = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                     static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    return stamp;
}

int OpenRegularFile(const std::string& path, std::string& readPath, struct stat& info)
{
    // Opened without following a link, so that the common case, a plain file, needs no
    // look at the name beforehand; a link is then opened where it leads.
    readPath = path;
    int fd = OpenForReading(readPath);
    if (fd < 0 && errno == ELOOP) {
        readPath = ResolvedLink(path);
        if (!readPath.empty())
            fd = OpenForReading(readPath);
    }
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

namespace {

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

ReadStatus ReadOpenedFile(int fd, const struct stat& info, FileContent& content)
{
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size >= SIZE_MAX || !content.Allocate(static_cast<std::size_t>(size)))
        return ReadStatus::NoMemory;
    content.SetStamp(StampOf(info));
    return ReadFully(fd, content.Data(), content.Size()) ? ReadStatus::Ok : ReadStatus::ReadFailed;
}

std::string FolderOf(const std::string& path)
{
    return std::string(FolderOfPath(path));
}

}  // namespace platform
