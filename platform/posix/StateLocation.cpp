#include "platform/StateLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

namespace platform {

std::string UndoRunsFolder()
{
    // The state folder of the XDG base directories: what a program keeps between its runs
    // that is neither configuration nor a cache.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/tarvelox/runs";
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || home[0] != '/')
        return std::string();
    return std::string(home) + "/.local/state/tarvelox/runs";
}

std::int64_t SecondsNow()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

LocalTime LocalTimeOf(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    ::localtime_r(&time, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace platform
