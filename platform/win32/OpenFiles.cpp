#include "platform/OpenFiles.h"

namespace platform {

// Handles of files are bounded only by the memory of the system.
std::size_t OpenFilesAtMost()
{
    return 1 << 20;
}

}  // namespace platform
