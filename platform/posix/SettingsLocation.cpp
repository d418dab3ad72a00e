#include "platform/SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/posix/UserSettingsLocation.h"

namespace platform {

std::string UserConfigHome(const char* xdgConfigHome, const char* home)
{
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        return xdgConfigHome;
    if (home && home[0] != '\0')
        return std::string(home) + "/.config";
    return std::string();
}

bool IsInstalledLayout(const std::string& programDirectory)
{
    return programDirectory.ends_with("/lib/tarvelox/");
}

std::string ChooseSettingsFile(const std::string& programDirectory, const std::string& fileName,
                               const SettingsFileFacts& facts)
{
    // An installed program's folder belongs to the package, also when root may write it:
    // a file there would outlive the package's removal and be shared by every user.
    const bool besideProgram =
        !IsInstalledLayout(programDirectory) && (facts.FileBesideProgram || facts.ProgramFolderWritable);
    if (besideProgram || facts.ConfigHome.empty())
        return programDirectory + fileName;
    return facts.ConfigHome + "/tarvelox/" + fileName;
}

std::string SettingsFilePath(const std::string& programDirectory, const std::string& fileName)
{
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : nullptr;
    }
    const SettingsFileFacts facts{
        PathExists(programDirectory + fileName),
        ::access(programDirectory.c_str(), W_OK | X_OK) == 0,
        UserConfigHome(std::getenv("XDG_CONFIG_HOME"), home),
    };
    return ChooseSettingsFile(programDirectory, fileName, facts);
}

}  // namespace platform
