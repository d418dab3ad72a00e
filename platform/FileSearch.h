#pragma once
#include <string>

namespace platform {

// Looks for `name` where the platform looks for a program's files and returns its full
// path, or empty when it is nowhere. On Windows this is the system's search order (the
// program's folder, the current directory, the system folders, the folders of PATH);
// elsewhere the program's folder, then the current directory. An absolute name is found
// when it exists; one that begins with ./ or ../ only in the current directory.
std::string SearchFile(const std::string& name);

}  // namespace platform
