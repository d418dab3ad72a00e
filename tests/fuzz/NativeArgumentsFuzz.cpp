// The native command's grammar over any argument vector: it never reads past what it was
// given, what it takes as files is what the user gave as files, and an error names an option.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/CommandGrammar.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<std::string> arguments{"tarvelox"};
    while (input.remaining_bytes() > 0)
        arguments.push_back(input.ConsumeRandomLengthString(40));

    const ParsedArguments parsed = ParseNativeArguments(arguments);
    if (!parsed.Error.empty()) {
        FUZZ_CHECK(parsed.Error.find("option '-") != std::string::npos);
        return 0;
    }
    // The files are arguments as given, in order; one that looks like an option comes
    // after "--".
    const auto looksLikeOption = [](const std::string& argument) {
        return argument.size() >= 2 && argument[0] == '-';
    };
    const std::vector<std::string>& files = parsed.Request.FileArguments;
    std::size_t from = 1;
    for (const std::string& file : files) {
        while (from < arguments.size() && arguments[from] != file)
            ++from;
        FUZZ_CHECK(from < arguments.size());
        ++from;
    }
    const auto end = std::find(arguments.begin() + 1, arguments.end(), "--");
    const auto afterTheEnd = end == arguments.end() ? 0 : std::count_if(end + 1, arguments.end(), looksLikeOption);
    FUZZ_CHECK(std::count_if(files.begin(), files.end(), looksLikeOption) <= afterTheEnd);
    // -O keeps only its letters, lowered.
    if (const std::optional<std::string>& letters = parsed.Request.OptionLetters)
        FUZZ_CHECK(letters->find_first_not_of("scekmi") == std::string::npos);
    for (const std::optional<int>& onOff :
         {parsed.Request.FullAutomatic, parsed.Request.MakeBackup, parsed.Request.IncludeSubfolders})
        FUZZ_CHECK(!onOff || *onOff == 0 || *onOff == 1);
    return 0;
}
