#pragma once
#include <string>

namespace platform {

// Makes `path` the process's current directory; false when it cannot.
bool ChangeCurrentDirectory(const std::string& path);
// The process's current directory as the system reports it, or empty when it cannot.
std::string CurrentDirectory();

}  // namespace platform
