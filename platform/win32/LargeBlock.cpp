#include "platform/LargeBlock.h"

#include <windows.h>

#include <new>

namespace platform {

LargeBlock NewLargeBlock(std::size_t size)
{
    void* block = ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!block)
        throw std::bad_alloc();
    return LargeBlock(static_cast<char*>(block), LargeBlockRelease{size});
}

void LargeBlockRelease::operator()(char* block) const
{
    if (block)
        ::VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace platform
