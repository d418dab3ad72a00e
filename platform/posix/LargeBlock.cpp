#include "platform/LargeBlock.h"

#include <sys/mman.h>

#include <new>

namespace platform {

LargeBlock NewLargeBlock(std::size_t size)
{
    void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
    // Only advice: without large pages the block is the same, in small ones.
    ::madvise(block, size, MADV_HUGEPAGE);
#endif
    return LargeBlock(static_cast<char*>(block), LargeBlockRelease{size});
}

void LargeBlockRelease::operator()(char* block) const
{
    if (block)
        ::munmap(block, Size);
}

}  // namespace platform
