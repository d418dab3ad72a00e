#include <unistd.h>

#include "cli/NativeCommand.h"

int main(int argc, char** argv)
{
    const Console console{stdout, stderr, ::isatty(STDERR_FILENO) == 1};
    return RunNativeCommand(std::vector<std::string>(argv, argv + argc), console);
}
