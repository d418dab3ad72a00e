#include "cli/CommandDefaults.h"

#include "app/SettingsStore.h"

namespace {

template <typename T>
void Override(T& field, const std::optional<T>& given)
{
    if (given)
        field = *given;
}

}  // namespace

CommandLineOptions OptionsOf(const CommandRequest& request, const SettingsStore& settings)
{
    CommandLineOptions options = InitialCommandLineOptions(request.Clear, settings);
    if (!request.Clear) {
        const SettingDefinition& backUp = DefinitionOf(Setting::BackUp);
        options.MakeBackup = settings.ReadSettingInt(backUp.Section, backUp.Key, 0);
    }
    options.AutomaticMode = true;
    Override(options.FullAutomatic, request.FullAutomatic);
    Override(options.MakeBackup, request.MakeBackup);
    Override(options.IncludeSubfolders, request.IncludeSubfolders);
    if (request.AllowedExtensions)
        options.AllowedExtensions = request.AllowedExtensions;
    if (request.ReplaceListFile)
        options.ReplaceListFile = request.ReplaceListFile;
    if (request.OptionLetters)
        options.OptionLetters = request.OptionLetters;
    if (request.ReplaceText)
        options.ReplaceText = request.ReplaceText;
    if (request.FindText)
        options.FindText = request.FindText;
    options.FileArguments = request.FileArguments;
    return options;
}
