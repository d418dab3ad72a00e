#include "platform/LargeBlock.h"

#include <sys/mman.h>

#include <new>

namespace platform {

LargeBlock NewLargeBlock(std::size_t size)
{
    void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        throw std::bad_alloc();
#if defined(MADV_NOHUGEPAGE)
    // In small pages: a fresh large page is cleared whole at its first touch, and on a
    // virtual machine, where it often lies in memory the host has not given yet, one of
    // them took up to a hundred times as long as its small pages, at random (a rewrite that
    // keeps 40 MB of new text took 170 ms in most runs and up to 575 ms in a quarter of them).
    // Only advice: the block is the same either way.
    ::madvise(block, size, MADV_NOHUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    // Its pages all at once: one page fault for each of them cost that rewrite 15 ms of
    // processor time. Where the system cannot, they come one by one as they are written.
    ::madvise(block, size, MADV_POPULATE_WRITE);
#endif
    return LargeBlock(static_cast<char*>(block), LargeBlockRelease{size});
}

void LargeBlockRelease::operator()(char* block) const
{
    if (block)
        ::munmap(block, Size);
}

}  // namespace platform
