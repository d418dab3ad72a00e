#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

#include "platform/ProgramDirectory.h"

namespace platform {

LibraryHandle LoadDynamicLibrary(const std::string& path)
{
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindLibrarySymbol(LibraryHandle library, const char* name)
{
    return library ? ::dlsym(library, name) : nullptr;
}

void FreeDynamicLibrary(LibraryHandle library)
{
    if (library)
        ::dlclose(library);
}

std::string ProgramLibraryPath(const std::string& baseName)
{
    return GetProgramDirectory() + "lib" + baseName + ".so";
}

}  // namespace platform
