#include "platform/posix/ReplaceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

ReplaceLock::ReplaceLock(const std::string& path)
{
    do
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    while (fd_ < 0 && errno == EINTR);
    // A file that cannot be opened for reading is not locked, and so not waited for.
    if (fd_ < 0)
        return;
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        ::usleep(5000);
    }
    failed_ = true;
}

ReplaceLock::~ReplaceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace platform
