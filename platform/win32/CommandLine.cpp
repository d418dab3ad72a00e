#include "platform/CommandLine.h"

#include <stdlib.h>

namespace platform {

bool IsSwitchCharacter(char byte)
{
    return byte == '-' || byte == '/';
}

std::vector<std::string> ProgramArguments()
{
    // The runtime has split the command line by the system's rules, in the ANSI code page.
    std::vector<std::string> arguments;
    for (int i = 0; i < __argc; ++i)
        arguments.emplace_back(__argv[i] ? __argv[i] : "");
    return arguments;
}

}  // namespace platform
