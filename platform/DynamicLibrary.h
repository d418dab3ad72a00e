#pragma once
#include <string>

namespace platform {

// Opaque handle of a loaded library; null when nothing is loaded.
using LibraryHandle = void*;

LibraryHandle LoadDynamicLibrary(const std::string& path);
void* FindLibrarySymbol(LibraryHandle library, const char* name);
void FreeDynamicLibrary(LibraryHandle library);

}  // namespace platform
