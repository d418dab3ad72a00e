#include "platform/StateLocation.h"

#include <windows.h>

#include <ctime>

namespace platform {

namespace {

std::string Variable(const char* name)
{
    char value[MAX_PATH * 2];
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

std::string UndoRunsFolder()
{
    std::string local = Variable("LOCALAPPDATA");
    if (local.empty()) {
        const std::string profile = Variable("USERPROFILE");
        if (profile.empty())
            return std::string();
        local = profile + "\\AppData\\Local";
    }
    return local + "\\Tarvelox\\runs";
}

std::int64_t SecondsNow()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

LocalTime LocalTimeOf(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    ::localtime_s(&parts, &time);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace platform
