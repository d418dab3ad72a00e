#include "app/SettingsDialogValues.h"

#include "app/SettingsStore.h"
#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"

SettingsDialogValues ReadSettingsDialogValues(const SettingsStore& settings)
{
    SettingsDialogValues values;
    values.RememberLastPatterns = settings.ReadSwitch(Setting::MemLast);
    values.WalkSubfolders = settings.ReadSwitch(Setting::SubEntry);
    values.Extensions = settings.ReadText(Setting::AbleExt);
    values.Editor = settings.ReadText(Setting::Editor);
    values.ShowLog = settings.ReadSwitch(Setting::ShowLog);
    values.Sound = settings.ReadText(Setting::PlayWave);
    values.WholeRegexByLibrary = settings.ReadSwitch(Setting::Bregexp);
    values.Background = settings.ReadSwitch(Setting::Priority);
    values.ShiftJisOnly = settings.ReadSwitch(Setting::ShiftJisOnly);
    return values;
}

void WriteSettingsDialogValues(SettingsStore& settings, const SettingsDialogValues& values,
                               const std::string& replaceList)
{
    // A failed write is ignored, as every write of the settings file is.
    settings.WriteSwitch(Setting::MemLast, values.RememberLastPatterns);
    settings.WriteSwitch(Setting::SubEntry, values.WalkSubfolders);
    settings.WriteSwitch(Setting::ShowLog, values.ShowLog);
    settings.WriteText(Setting::AbleExt, values.Extensions);
    settings.WriteText(Setting::Editor, values.Editor);
    settings.WriteText(Setting::PlayWave, values.Sound);
    if (!replaceList.empty())
        settings.WriteText(Setting::ReplaceList, replaceList);
    settings.WriteSwitch(Setting::Bregexp, values.WholeRegexByLibrary);
    settings.WriteSwitch(Setting::Priority, values.Background);
    settings.WriteSwitch(Setting::ShiftJisOnly, values.ShiftJisOnly);
}

std::string BrowseStartFolder(const std::string& memberText, const std::string& programDirectory)
{
    const std::size_t separator = FindLastCharacter(memberText, platform::PathSeparator);
    if (separator == std::string::npos || separator == 0)
        return programDirectory;
    return memberText.substr(0, separator);
}
