#include "app/CommandLineOptions.h"

#include "app/SettingsStore.h"
#include "platform/CommandLine.h"
#include "platform/DoubleByte.h"

namespace {

bool IsSwitch(const std::string& argument)
{
    return !argument.empty() && platform::IsSwitchCharacter(argument[0]);
}

// An on/off switch: nothing after the letter or "1" turns it on, "0" off; any other
// value leaves the field alone.
void ApplyOnOffValue(int& field, const std::string& value)
{
    if (value.empty() || value == "1")
        field = 1;
    else if (value == "0")
        field = 0;
}

void ApplySwitch(CommandLineOptions& options, char letter, std::string value)
{
    switch (letter) {
    case 'a':
        ApplyOnOffValue(options.FullAutomatic, value);
        break;
    case 'b':
        ApplyOnOffValue(options.MakeBackup, value);
        break;
    case 's':
        ApplyOnOffValue(options.IncludeSubfolders, value);
        break;
    case 'h':
        if (value.empty())
            options.AutomaticMode = true;
        break;
    case 'e':
        options.AllowedExtensions = std::move(value);
        break;
    case 'f':
        options.FindText = std::move(value);
        break;
    case 'r':
        options.ReplaceText = std::move(value);
        break;
    case 'l':
        options.ReplaceListFile = std::move(value);
        break;
    case 'o':
        options.OptionLetters = LowerAsciiLetters(value);
        break;
    default:
        break;
    }
}

}  // namespace

CommandLineOptions InitialCommandLineOptions(bool cleared, const SettingsStore& settings)
{
    CommandLineOptions options;
    if (cleared) {
        options.AllowedExtensions.emplace();
        options.ReplaceListFile.emplace();
        options.OptionLetters.emplace();
        options.ReplaceText.emplace();
        options.FindText.emplace();
        return options;
    }
    options.IncludeSubfolders = settings.ReadSwitch(Setting::SubEntry);
    options.MakeBackup = settings.ReadSwitch(Setting::BackUp);
    options.FullAutomatic = settings.ReadSwitch(Setting::AllAuto);
    return options;
}

bool HasClearSwitch(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() == 2 && IsSwitch(argument) && (argument[1] == 'c' || argument[1] == 'C'))
            return true;
    }
    return false;
}

CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments, const SettingsStore& settings)
{
    CommandLineOptions options = InitialCommandLineOptions(HasClearSwitch(arguments), settings);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsSwitch(argument)) {
            options.FileArguments.push_back(argument);
            continue;
        }
        if (argument.size() < 2)
            continue;
        const char letter = LowerAsciiLetters(argument.substr(1, 1))[0];
        ApplySwitch(options, letter, argument.substr(2));
    }
    return options;
}
