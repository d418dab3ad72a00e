#pragma once
#include <string>

namespace platform {

// The folder of the running executable, with a trailing separator; computed anew each call.
std::string GetProgramDirectory();

}  // namespace platform
