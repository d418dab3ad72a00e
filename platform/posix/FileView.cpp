#include "platform/FileView.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstdint>

#include "platform/posix/BusErrorGuard.h"

namespace platform {

void FileView::Unmap(const char* mapped, std::size_t size)
{
    UnguardMappedRange(mapped);
    ::munmap(const_cast<char*>(mapped), size);
}

ReadStatus FileView::Open(const FileReader& file, std::size_t mapFrom)
{
    if (!BeginOpen(file, mapFrom))
        return ReadWhole(file);
    const std::uint64_t size = file.Size();
    void* bytes =
        ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, static_cast<int>(file.Handle()), 0);
    if (bytes == MAP_FAILED)
        // A file system that cannot map files can still be read.
        return errno == ENOMEM ? ReadStatus::NoMemory : ReadWhole(file);
    if (!GuardMappedRange(bytes, static_cast<std::size_t>(size), &lost_)) {
        ::munmap(bytes, static_cast<std::size_t>(size));
        return ReadStatus::NoMemory;
    }
    mapped_ = static_cast<const char*>(bytes);
    mappedSize_ = static_cast<std::size_t>(size);
    return ReadStatus::Ok;
}

}  // namespace platform
