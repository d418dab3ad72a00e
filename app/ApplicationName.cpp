#include "app/ApplicationName.h"

#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"

std::string ApplicationNameOf(std::string_view modulePath)
{
    const std::size_t separator = FindLastCharacter(modulePath, platform::PathSeparator);
    std::string_view name = separator == std::string_view::npos ? modulePath : modulePath.substr(separator + 1);
    const std::size_t dot = FindLastCharacter(name, '.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string ApplicationName()
{
    return ApplicationNameOf(platform::ModulePath());
}
