#include "app/Startup.h"

#include "platform/CurrentDirectory.h"
#include "platform/ProgramDirectory.h"
#include "platform/SettingsLocation.h"

StartupResult RunStartupSteps(SettingsStore& settings)
{
    StartupResult result{platform::GetProgramDirectory(), LegacyConversion::NoLegacyFile};
    platform::ChangeCurrentDirectory(result.ProgramDirectory);
    settings.SetFilePath(platform::SettingsFilePath(result.ProgramDirectory, SettingsFileName));
    // The legacy file is looked for beside the program even when the directory could not
    // be made current, so that a "list.dat" elsewhere is never taken and deleted.
    result.Conversion = ConvertLegacyList(result.ProgramDirectory);
    return result;
}
