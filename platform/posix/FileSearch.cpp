#include "platform/FileSearch.h"

#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"

namespace platform {

std::string SearchFile(const std::string& name)
{
    if (name.empty())
        return std::string();
    if (IsAbsolutePath(name))
        return PathExists(name) ? name : std::string();
    // A name that begins with "./" or "../" says where it is, as the Windows search takes it.
    const bool fromCurrent = name.starts_with("./") || name.starts_with("../");
    const std::string besideProgram = GetProgramDirectory() + name;
    if (!fromCurrent && PathExists(besideProgram))
        return besideProgram;
    const std::string current = CurrentDirectory();
    if (current.empty())
        return std::string();
    const std::string inCurrent = current + PathSeparator + name;
    return PathExists(inCurrent) ? inCurrent : std::string();
}

}  // namespace platform
