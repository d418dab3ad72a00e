#pragma once
#include <cstddef>
#include <memory>

namespace platform {

// Memory for a block of megabytes that is filled once from its start: taken from the system
// in whole pages of its own, apart from the heap, and given back to the system at once.
struct LargeBlockRelease {
    std::size_t Size = 0;
    void operator()(char* block) const;
};
using LargeBlock = std::unique_ptr<char[], LargeBlockRelease>;

// Throws std::bad_alloc when the system has no memory for it.
LargeBlock NewLargeBlock(std::size_t size);

}  // namespace platform
