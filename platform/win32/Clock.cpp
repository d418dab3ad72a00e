#include "platform/Clock.h"

#include <windows.h>

namespace platform {

std::uint64_t MonotonicMicroseconds()
{
    static const std::uint64_t frequency = [] {
        LARGE_INTEGER ticks;
        ::QueryPerformanceFrequency(&ticks);
        return static_cast<std::uint64_t>(ticks.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
    return ticks / frequency * 1000000u + ticks % frequency * 1000000u / frequency;
}

}  // namespace platform
