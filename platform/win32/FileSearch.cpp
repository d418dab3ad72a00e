#include "platform/FileSearch.h"

#include "platform/win32/SystemText.h"
#include "platform/win32/WideText.h"

namespace platform {

std::string SearchFile(const std::string& name)
{
    if (name.empty())
        return std::string();
    const std::wstring wide = WidePath(name);
    // A file found under a name the program cannot carry is not found: its look-alike
    // would be another file.
    const SystemName found = NameFromSystem(SystemText<wchar_t>([&](wchar_t* buffer, DWORD size) {
        return ::SearchPathW(nullptr, wide.c_str(), nullptr, size, buffer, nullptr);
    }));
    return found.NamesTheFile() ? found.Text : std::string();
}

}  // namespace platform
