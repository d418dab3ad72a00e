#include "platform/CurrentDirectory.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

bool ChangeCurrentDirectory(const std::string& path)
{
    return ::chdir(path.c_str()) == 0;
}

std::string CurrentDirectory()
{
    std::string path(256, '\0');
    for (;;) {
        if (::getcwd(path.data(), path.size())) {
            path.resize(path.find('\0'));
            return path;
        }
        if (errno != ERANGE)
            return std::string();
        path.resize(path.size() * 2);
    }
}

}  // namespace platform
