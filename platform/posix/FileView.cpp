#include "platform/FileView.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/posix/BusErrorGuard.h"
#include "platform/posix/FileReading.h"

namespace platform {

void FileView::Unmap(const char* mapped, std::size_t size)
{
    UnguardMappedRange(mapped);
    ::munmap(const_cast<char*>(mapped), size);
}

ReadStatus FileView::Open(const std::string& path, std::size_t mapFrom)
{
    Close();
    std::string readPath;
    struct stat info;
    const int fd = OpenRegularFile(path, readPath, info);
    if (fd < 0)
        return ReadStatus::OpenFailed;
    content_.SetReadPath(std::move(readPath));
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size == 0 || size < mapFrom || size >= SIZE_MAX) {
        const ReadStatus status = ReadOpenedFile(fd, info, content_);
        ::close(fd);
        return status;
    }
    content_.SetStamp(StampOf(info));
    void* bytes = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    if (bytes == MAP_FAILED) {
        // A file system that cannot map files can still be read.
        const ReadStatus status = mapError == ENOMEM ? ReadStatus::NoMemory : ReadOpenedFile(fd, info, content_);
        ::close(fd);
        return status;
    }
    ::close(fd);
    if (!GuardMappedRange(bytes, static_cast<std::size_t>(size), &lost_)) {
        ::munmap(bytes, static_cast<std::size_t>(size));
        return ReadStatus::NoMemory;
    }
    mapped_ = static_cast<const char*>(bytes);
    mappedSize_ = static_cast<std::size_t>(size);
    return ReadStatus::Ok;
}

}  // namespace platform
