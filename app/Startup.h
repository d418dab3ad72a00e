#pragma once
#include <string>

#include "app/SettingsStore.h"
#include "lists/LegacyConversion.h"

struct StartupResult {
    std::string ProgramDirectory;
    LegacyConversion Conversion;
};

// What start-up does before the main window: the program directory becomes the current
// directory (a failure is ignored), the settings store is pointed at "Tarvelox.ini" there
// (or, for a program installed in a folder the user cannot write, in the user's
// configuration folder), and a legacy "list.dat" there is converted into "replace.lst".
StartupResult RunStartupSteps(SettingsStore& settings);
