#pragma once
#include <string>

#include "platform/SystemName.h"

namespace platform {

// An absolute path unchanged; any other taken against the current directory as it is now.
// Empty when the current directory cannot be had, or not in code page 932.
std::string AbsolutePath(const std::string& path);

// A name from the command line as the file system stores it: absolute, each component
// written as stored (its long name and letter case on Windows), a wildcard resolved to its
// first match in the file system's order; the root of a network path stays as written.
// Empty when it names no file or folder; not Exact when the stored name cannot pass into
// code page 932.
SystemName ResolveStoredPath(const std::string& name);

}  // namespace platform
