#pragma once
// The choice behind SettingsFilePath, apart from the questions it asks the system, so that
// every case can be tried whoever runs the tests.
#include <string>

namespace platform {

// The user's configuration folder without a trailing slash: $XDG_CONFIG_HOME when it is an
// absolute path, otherwise the home folder followed by "/.config"; empty when neither is
// known. Null arguments stand for unset variables.
std::string UserConfigHome(const char* xdgConfigHome, const char* home);

struct SettingsFileFacts {
    bool FileBesideProgram;      // the settings file exists beside the executable
    bool ProgramFolderWritable;  // the user may create files in the executable's folder
    std::string ConfigHome;      // UserConfigHome(), possibly empty
};

// Whether the program lies where `cmake --install` and the package put it, PREFIX/lib/tarvelox/.
bool IsInstalledLayout(const std::string& programDirectory);

std::string ChooseSettingsFile(const std::string& programDirectory, const std::string& fileName,
                               const SettingsFileFacts& facts);

}  // namespace platform
