#pragma once
#include <string>
#include <vector>

namespace platform {

// Whether an argument that begins with `byte` is a switch. Windows takes '-' and '/';
// elsewhere only '-', because a leading '/' is an absolute path there.
bool IsSwitchCharacter(char byte);

// The program's arguments as the system split them, the program itself first.
std::vector<std::string> ProgramArguments();

}  // namespace platform
