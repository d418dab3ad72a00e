#pragma once
// Where the native command takes what its options do not give: the settings file, as the
// window program does, except for backups. The window program's MAIN/BackUp defaults to 1
// and is written whenever its window closes; a command that nobody configured would leave
// a .bak beside every file of a first plain run. So here backups are made only with -B or
// when the settings file holds MAIN/BackUp=1.
#include "app/CommandLineOptions.h"
#include "cli/CommandGrammar.h"

class SettingsStore;

// The record the window program's parser would fill, from the request and the settings
// file; -c clears every default, wherever it stands.
CommandLineOptions OptionsOf(const CommandRequest& request, const SettingsStore& settings);
