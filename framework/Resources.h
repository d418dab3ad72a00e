#pragma once
// The program's resources: dialog templates, strings and icons live in the executable.
#include <windows.h>

#include <string>

HINSTANCE ResourceInstance();
// A text of the string table; empty when there is none with this id.
std::string LoadResourceString(UINT id);
// An icon resource in the size closest to `size` pixels square; shared, never destroyed.
HICON LoadIconOfSize(UINT id, int size);
