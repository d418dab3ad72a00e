#include "app/StartValues.h"

#include "app/CommandLineOptions.h"
#include "app/SettingsStore.h"
#include "platform/DoubleByte.h"

namespace {

struct OptionSource {
    char Letter;
    Setting Key;
    PatternOption Option;
};

constexpr OptionSource OptionSources[] = {
    {'s', Setting::NotEscape, NotEscape},   {'c', Setting::NotCase, NotCase},
    {'e', Setting::RegularExpression, RegularExpression}, {'k', Setting::Kanji, Kanji},
    {'m', Setting::Multiline, Multiline},   {'i', Setting::Ignorecase, Ignorecase},
};

PatternOptions RememberedOptions(const SettingsStore& settings)
{
    PatternOptions options = 0;
    for (const OptionSource& source : OptionSources)
        if (settings.ReadSwitch(source.Key) != 0)
            options |= source.Option;
    return options;
}

std::string GivenOrRemembered(const std::optional<std::string>& given, bool memLast, const SettingsStore& settings,
                              Setting key)
{
    if (given)
        return *given;
    return memLast ? settings.ReadText(key) : std::string();
}

}  // namespace

PatternOptions OptionsFromSwitchLetters(const std::string& letters)
{
    PatternOptions options = 0;
    for (const OptionSource& source : OptionSources)
        if (FindCharacter(letters, source.Letter) != std::string::npos)
            options |= source.Option;
    return options;
}

MainDialogStartValues StartValuesFrom(const CommandLineOptions& options, const SettingsStore& settings)
{
    MainDialogStartValues values;
    values.ReplaceListName = options.ReplaceListFile ? *options.ReplaceListFile : settings.ReadText(Setting::ReplaceList);
    values.LastAddFolder = settings.ReadText(Setting::OpenDir);
    const bool memLast = settings.ReadSwitch(Setting::MemLast) != 0;
    values.FindText = GivenOrRemembered(options.FindText, memLast, settings, Setting::Find);
    values.ReplaceText = GivenOrRemembered(options.ReplaceText, memLast, settings, Setting::Replace);
    if (options.OptionLetters)
        values.Options = OptionsFromSwitchLetters(*options.OptionLetters);
    else if (memLast)
        values.Options = RememberedOptions(settings);
    // Check boxes and the walk rule take 0 or 1, whatever number the settings file held.
    values.BackUp = options.MakeBackup != 0;
    values.FullAutomatic = options.FullAutomatic != 0;
    values.SubfolderRule = options.IncludeSubfolders != 0;
    values.ExtensionListText =
        options.AllowedExtensions ? *options.AllowedExtensions : settings.ReadText(Setting::AbleExt);
    values.AutomaticMode = options.AutomaticMode;
    return values;
}
