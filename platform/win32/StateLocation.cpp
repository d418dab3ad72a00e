#include "platform/StateLocation.h"

#include <windows.h>

#include <ctime>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

// A folder named by the environment, in the form that names it (a user named José has
// é escaped); empty when it cannot be named.
std::string Variable(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2)
        return std::string();
    const SystemName folder = NameFromSystem(std::wstring_view(value, length));
    return folder.NamesTheFile() ? folder.Text : std::string();
}

}  // namespace

std::string UndoRunsFolder()
{
    std::string local = Variable(L"LOCALAPPDATA");
    if (local.empty()) {
        const std::string profile = Variable(L"USERPROFILE");
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
