#pragma once
// Standard input, output and error as a native command finds them at its start.
namespace platform {

// Gives each of descriptors 0, 1 and 2 that is closed /dev/null, opened the other way
// round (standard output for reading only), so that no file the program opens later takes
// the number of a standard stream, and a write to a closed one fails as it would on a
// full disk instead of going into that file.
void HoldStandardStreams();

}  // namespace platform
