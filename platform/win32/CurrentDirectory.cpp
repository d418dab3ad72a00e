#include "platform/CurrentDirectory.h"

#include "platform/win32/SystemText.h"

namespace platform {

bool ChangeCurrentDirectory(const std::string& path)
{
    return ::SetCurrentDirectoryA(path.c_str());
}

std::string CurrentDirectory()
{
    return SystemText([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
}

}  // namespace platform
