#pragma once
#include <string>

class BregexpLibrary;

// The text of -V and --version: the program's version, and where the regular-expression
// library was looked for, whether it was found and the Oniguruma it runs on.
std::string VersionText(const BregexpLibrary& library, const std::string& libraryPath);
