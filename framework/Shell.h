#pragma once
// Programs started for the user, and documents, addresses and programs opened the way the
// system opens them.
#include <windows.h>

#include <string>

// Failures are not reported: the user sees whether the program came up.
// Starts `commandLine` shown normally, in `workingFolder` (the current one when empty),
// and lets it run on its own.
void StartProgram(const std::string& commandLine, const std::string& workingFolder);
// Opens the document with the program the system associates with it.
void OpenWithAssociatedProgram(const std::string& path, const std::string& workingFolder, HWND owner);

// Asks the system to open `target` (a file, a URL, a "mailto:" address) with `verb`, or
// with its default action when `verb` is null; true when the system took it.
bool OpenWithSystem(HWND owner, const std::string& target, const char* verb = nullptr,
                    const std::string& workingFolder = std::string());
