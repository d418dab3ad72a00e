// The command line: its parser over any argument vector and settings file, and the start
// values the main window takes from both.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLineOptions.h"
#include "app/SettingsStore.h"
#include "app/StartValues.h"
#include "platform/CommandLine.h"
#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/ScratchFile.h"

namespace {

// The arguments after the first, each ended by a NUL as the system keeps them.
std::vector<std::string> SplitArguments(const std::string& bytes)
{
    std::vector<std::string> arguments{"tarvelox"};
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\0', begin), bytes.size());
        arguments.push_back(bytes.substr(begin, end - begin));
        begin = end + 1;
    }
    return arguments;
}

bool IsSwitch(const std::string& argument)
{
    return !argument.empty() && platform::IsSwitchCharacter(argument[0]);
}

bool IsSwitchWithLetter(const std::string& argument, char lower)
{
    return argument.size() == 2 && IsSwitch(argument) && (argument[1] | 0x20) == lower;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = ScratchFilePath("Tarvelox.ini");
    FuzzedDataProvider input(data, size);
    const std::string profile = input.ConsumeRandomLengthString(300);
    const std::vector<std::string> arguments = SplitArguments(input.ConsumeRemainingBytesAsString());
    if (!platform::WriteWholeFile(path, profile.data(), profile.size()))
        return 0;
    SettingsStore settings;
    settings.SetFilePath(path);

    const CommandLineOptions options = ParseCommandLine(arguments, settings);
    std::vector<std::string> files;
    bool automatic = false;
    bool cleared = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (!IsSwitch(arguments[i]))
            files.push_back(arguments[i]);
        automatic = automatic || IsSwitchWithLetter(arguments[i], 'h');
        cleared = cleared || IsSwitchWithLetter(arguments[i], 'c');
    }
    FUZZ_CHECK(options.FileArguments == files);
    FUZZ_CHECK(options.AutomaticMode == automatic);
    FUZZ_CHECK(HasClearSwitch(arguments) == cleared);
    if (cleared)
        FUZZ_CHECK(options.FindText && options.ReplaceText && options.OptionLetters && options.ReplaceListFile &&
                   options.AllowedExtensions);
    // Capitals are lowered; a second byte is no letter.
    if (const std::optional<std::string>& letters = options.OptionLetters)
        for (std::size_t i = 0; i < letters->size(); i += CharacterLength(*letters, i))
            FUZZ_CHECK((*letters)[i] < 'A' || (*letters)[i] > 'Z');

    const MainDialogStartValues values = StartValuesFrom(options, settings);
    // A regular expression asked for stays one, library or not.
    if (options.OptionLetters)
        FUZZ_CHECK(HasOption(values.Options, RegularExpression) ==
                   (FindCharacter(*options.OptionLetters, 'e') != std::string::npos));
    FUZZ_CHECK(values.BackUp == (options.MakeBackup != 0) && values.FullAutomatic == (options.FullAutomatic != 0));
    FUZZ_CHECK(values.AutomaticMode == automatic);
    if (options.FindText)
        FUZZ_CHECK(values.FindText == *options.FindText);
    platform::RemoveFile(path);
    return 0;
}
