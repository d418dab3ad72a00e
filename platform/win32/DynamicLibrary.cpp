#include "platform/DynamicLibrary.h"

#include <windows.h>
#include "platform/win32/WideText.h"

namespace platform {

LibraryHandle LoadDynamicLibrary(const std::string& path)
{
    return reinterpret_cast<LibraryHandle>(::LoadLibraryW(WidePath(path).c_str()));
}

void* FindLibrarySymbol(LibraryHandle library, const char* name)
{
    if (!library)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeDynamicLibrary(LibraryHandle library)
{
    if (library)
        ::FreeLibrary(static_cast<HMODULE>(library));
}

std::string ProgramLibraryPath(const std::string& baseName)
{
    return baseName + ".dll";
}

}  // namespace platform
