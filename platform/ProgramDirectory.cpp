#include "platform/ProgramDirectory.h"

#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"

namespace platform {

std::string GetProgramDirectory()
{
    std::string path = ModulePath();
    const std::size_t separator = FindLastCharacter(path, PathSeparator);
    path.resize(separator == std::string::npos ? 0 : separator + 1);
    return path;
}

}  // namespace platform
