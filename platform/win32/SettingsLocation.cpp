#include "platform/SettingsLocation.h"

namespace platform {

std::string SettingsFilePath(const std::string& programDirectory, const std::string& fileName)
{
    return programDirectory + fileName;
}

}  // namespace platform
