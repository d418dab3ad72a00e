#pragma once
#include <string>
#include <vector>

#include "platform/SystemName.h"

namespace platform {

// Whether an argument that begins with `byte` is a switch. Windows takes '-' and '/';
// elsewhere only '-', because a leading '/' is an absolute path there.
bool IsSwitchCharacter(char byte);

// The program's arguments as the system split them, the program itself first; one that
// cannot pass into code page 932 is not Exact.
std::vector<SystemName> ProgramArguments();

}  // namespace platform
