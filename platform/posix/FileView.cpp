#include "platform/FileView.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <thread>

#include "platform/posix/BusErrorGuard.h"

namespace platform {

namespace {

// Mappings this large are let go of on a thread of their own: taking down their pages
// costs milliseconds that nothing after it needs to wait for.
constexpr std::size_t UnmappedAsideFrom = std::size_t{16} << 20;

}  // namespace

void FileView::Unmap(const char* mapped, std::size_t size)
{
    UnguardMappedRange(mapped);
    void* bytes = const_cast<char*>(mapped);
    if (size >= UnmappedAsideFrom) {
        try {
            std::thread([bytes, size] { ::munmap(bytes, size); }).detach();
            return;
        } catch (const std::system_error&) {
            // Without a thread it is let go of here.
        }
    }
    ::munmap(bytes, size);
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
