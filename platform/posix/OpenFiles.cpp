#include "platform/OpenFiles.h"

#include <sys/resource.h>

namespace platform {

std::size_t OpenFilesAtMost()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 1 << 20;
    return static_cast<std::size_t>(limit.rlim_cur);
}

}  // namespace platform
