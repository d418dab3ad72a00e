#include "platform/CurrentDirectory.h"

#include <windows.h>

namespace platform {

bool ChangeCurrentDirectory(const std::string& path)
{
    return ::SetCurrentDirectoryA(path.c_str());
}

std::string CurrentDirectory()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
        if (length == 0)
            return std::string();
        // A result that did not fit is the size needed, terminator included.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
}

}  // namespace platform
