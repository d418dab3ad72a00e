#pragma once
// A time that only moves forward, for how long something has waited.
#include <cstdint>

namespace platform {

std::uint64_t MonotonicMicroseconds();

}  // namespace platform
