#pragma once
#include <string>

namespace platform {

// Opaque handle of a loaded library; null when nothing is loaded.
using LibraryHandle = void*;

LibraryHandle LoadDynamicLibrary(const std::string& path);
void* FindLibrarySymbol(LibraryHandle library, const char* name);
void FreeDynamicLibrary(LibraryHandle library);

// The name under which the program loads a library of its own called `baseName`: on
// Windows the file name "baseName.dll", found by the system's search order, which starts
// beside the program; elsewhere "libbaseName.so" in the program's folder.
std::string ProgramLibraryPath(const std::string& baseName);

}  // namespace platform
