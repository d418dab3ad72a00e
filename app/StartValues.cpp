#include "app/StartValues.h"

#include "app/CommandLineOptions.h"
#include "app/SettingsStore.h"
#include "platform/DoubleByte.h"

namespace {

struct OptionSource {
    char Letter;
    Setting Key;
    PatternOption Option;
    bool NeedsLibrary;
};

constexpr OptionSource OptionSources[] = {
    {'s', Setting::NotEscape, NotEscape, false},
    {'c', Setting::NotCase, NotCase, false},
    {'e', Setting::RegularExpression, RegularExpression, true},
    {'k', Setting::Kanji, Kanji, true},
    {'m', Setting::Multiline, Multiline, true},
    {'i', Setting::Ignorecase, Ignorecase, true},
};

PatternOptions RememberedOptions(const SettingsStore& settings, bool libraryLoaded)
{
    PatternOptions options = 0;
    for (const OptionSource& source : OptionSources)
        if ((libraryLoaded || !source.NeedsLibrary) && settings.ReadSwitch(source.Key) != 0)
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

PatternOptions OptionsFromSwitchLetters(const std::string& letters, bool libraryLoaded)
{
    PatternOptions options = 0;
    for (const OptionSource& source : OptionSources)
        if ((libraryLoaded || !source.NeedsLibrary) && FindCharacter(letters, source.Letter) != std::string::npos)
            options |= source.Option;
    return options;
}

MainDialogStartValues StartValuesFrom(const CommandLineOptions& options, const SettingsStore& settings,
                                      bool libraryLoaded)
{
    MainDialogStartValues values;
    values.ReplaceListName = options.ReplaceListFile ? *options.ReplaceListFile : settings.ReadText(Setting::ReplaceList);
    values.LastAddFolder = settings.ReadText(Setting::OpenDir);
    const bool memLast = settings.ReadSwitch(Setting::MemLast) != 0;
    values.FindText = GivenOrRemembered(options.FindText, memLast, settings, Setting::Find);
    values.ReplaceText = GivenOrRemembered(options.ReplaceText, memLast, settings, Setting::Replace);
    if (options.OptionLetters)
        values.Options = OptionsFromSwitchLetters(*options.OptionLetters, libraryLoaded);
    else if (memLast)
        values.Options = RememberedOptions(settings, libraryLoaded);
    // Check boxes and the walk rule take 0 or 1, whatever number the settings file held.
    values.BackUp = options.MakeBackup != 0;
    values.FullAutomatic = options.FullAutomatic != 0;
    values.SubfolderRule = options.IncludeSubfolders != 0;
    values.ExtensionListText =
        options.AllowedExtensions ? *options.AllowedExtensions : settings.ReadText(Setting::AbleExt);
    values.AutomaticMode = options.AutomaticMode;
    return values;
}
