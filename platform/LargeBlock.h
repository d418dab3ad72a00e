#pragma once
#include <cstddef>
#include <memory>

namespace platform {

// Memory for a block of megabytes that is filled once from its start: taken from the system
// in whole pages, in large pages where the system offers them, so that a fresh block costs a
// few page faults instead of one for every 4 KiB, and goes back to the system at once.
struct LargeBlockRelease {
    std::size_t Size = 0;
    void operator()(char* block) const;
};
using LargeBlock = std::unique_ptr<char[], LargeBlockRelease>;

// Throws std::bad_alloc when the system has no memory for it.
LargeBlock NewLargeBlock(std::size_t size);

}  // namespace platform
