#include <unistd.h>

#include <clocale>

#include "cli/NativeCommand.h"
#include "platform/posix/LocaleCharset.h"
#include "platform/posix/StandardStreams.h"

int main(int argc, char** argv)
{
    platform::HoldStandardStreams();
    // Only the character set is taken from the environment: it says how the terminal
    // shows text and how the user types it.
    std::setlocale(LC_CTYPE, "");
    const Console console{stdout, stderr, ::isatty(STDIN_FILENO) == 1, ::isatty(STDERR_FILENO) == 1,
                          platform::LocaleCharset()};
    return RunNativeCommand(std::vector<std::string>(argv, argv + argc), console);
}
