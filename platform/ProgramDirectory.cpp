#include "platform/ProgramDirectory.h"

#include "platform/FileSystem.h"
#include "platform/Folders.h"

namespace platform {

std::string GetProgramDirectory()
{
    return FolderPartOf(ModulePath());
}

}  // namespace platform
