#include "tests/support/window-texts/RemoteMemory.h"

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process), address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
{
}

RemoteMemory::~RemoteMemory()
{
    if (address_)
        ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) const
{
    SIZE_T written = 0;
    return ::WriteProcessMemory(process_, At(offset), data, size, &written) && written == size;
}

bool RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const
{
    SIZE_T read = 0;
    return ::ReadProcessMemory(process_, At(offset), data, size, &read) && read == size;
}
