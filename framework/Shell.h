#pragma once
// Programs started for the user. Failures are not reported: the user sees whether the
// program came up.
#include <windows.h>

#include <string>

// Starts `commandLine` shown normally, in `workingFolder` (the current one when empty),
// and lets it run on its own.
void StartProgram(const std::string& commandLine, const std::string& workingFolder);
// Opens the document with the program the system associates with it.
void OpenWithAssociatedProgram(const std::string& path, const std::string& workingFolder, HWND owner);
