#include "cli/EncodingOption.h"

#include <string_view>

namespace {

constexpr std::string_view Name = "--encoding";

std::optional<EncodingChoice> ChoiceNamed(std::string_view value)
{
    if (value == "auto")
        return EncodingChoice::Automatic;
    if (value == "sjis")
        return EncodingChoice::ShiftJis;
    if (value == "utf8")
        return EncodingChoice::Utf8;
    if (value == "eucjp")
        return EncodingChoice::EucJp;
    return std::nullopt;
}

}  // namespace

EncodingOption TakeEncodingOption(const std::vector<std::string>& arguments)
{
    EncodingOption option;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (i == 0 || argument.substr(0, Name.size()) != Name ||
            (argument.size() > Name.size() && argument[Name.size()] != '=')) {
            option.Rest.push_back(arguments[i]);
            continue;
        }
        std::string_view value;
        if (argument.size() > Name.size())
            value = argument.substr(Name.size() + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        option.Choice = ChoiceNamed(value);
        if (!option.Choice) {
            option.Error = "--encoding takes auto, sjis, utf8 or eucjp, not \"" + std::string(value) + "\"";
            return option;
        }
    }
    return option;
}
