#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

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

}  // namespace platform
