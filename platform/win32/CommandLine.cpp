#include "platform/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace platform {

bool IsSwitchCharacter(char byte)
{
    return byte == '-' || byte == '/';
}

std::vector<SystemName> ProgramArguments()
{
    // Split by the system's rules from the wide command line: the runtime's narrow vector
    // has been through a best fit, which may name another file than the one given.
    std::vector<SystemName> arguments;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(NameFromSystem(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

}  // namespace platform
