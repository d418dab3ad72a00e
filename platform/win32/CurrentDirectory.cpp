#include "platform/CurrentDirectory.h"

#include "platform/win32/SystemText.h"
#include "platform/win32/WideText.h"

namespace platform {

bool ChangeCurrentDirectory(const std::string& path)
{
    return ::SetCurrentDirectoryW(WidePath(path).c_str());
}

std::string CurrentDirectory()
{
    const SystemName current = NameFromSystem(
        SystemText<wchar_t>([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); }));
    return current.NamesTheFile() ? current.Text : std::string();
}

}  // namespace platform
