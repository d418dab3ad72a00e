#pragma once
#include <atomic>
#include <cstddef>

namespace platform {

// A read of a mapped file's page that another program has cut off by making the file
// shorter raises SIGBUS, which would end the program. Within a guarded range the fault
// instead puts zeros from the faulting page to the range's end and sets `lost`; any other
// SIGBUS is handled as it was before. Ranges of several threads may be guarded at once.
// False when too many are.
bool GuardMappedRange(const void* start, std::size_t size, std::atomic<bool>* lost);
void UnguardMappedRange(const void* start);

}  // namespace platform
