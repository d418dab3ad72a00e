#pragma once
#include <string>

namespace platform {

// The full path of the program's settings file `fileName`. On Windows it always lies beside
// the executable. Elsewhere too, when the file is there or the user can write the
// executable's folder (a build tree, an unpacked copy); a program installed as PREFIX/lib/
// tarvelox/, or one whose folder only the administrator writes, keeps it in the user's
// configuration folder instead, "$XDG_CONFIG_HOME/tarvelox/" or "~/.config/tarvelox/" —
// root's own when root runs it.
std::string SettingsFilePath(const std::string& programDirectory, const std::string& fileName);

}  // namespace platform
