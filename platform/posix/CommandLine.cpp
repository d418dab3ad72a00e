#include "platform/CommandLine.h"

#include <cstdio>

namespace platform {

bool IsSwitchCharacter(char byte)
{
    return byte == '-';
}

std::vector<SystemName> ProgramArguments()
{
    // The kernel keeps the vector as NUL-terminated strings, one after another; the file
    // reports no size, so it is read until its end.
    std::vector<SystemName> arguments;
    std::FILE* file = std::fopen("/proc/self/cmdline", "rb");
    if (!file)
        return arguments;
    std::string current;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        if (c != '\0') {
            current.push_back(static_cast<char>(c));
            continue;
        }
        arguments.push_back({current});
        current.clear();
    }
    std::fclose(file);
    return arguments;
}

}  // namespace platform
