#include "cli/CommandGrammar.h"

#include <string_view>

#include "cli/ExtensionPatterns.h"
#include "platform/DoubleByte.h"

namespace {

enum class Takes {
    Nothing,  // a flag
    Text,     // a value, attached or the next argument
    OnOff,    // an attached 0 or 1 only (-B0, --backup=0); nothing means on
    Attached, // a value only when attached (--undo=ID); none is a value of its own
};

enum class OptionId {
    Find, Replace, Options, List, Extensions, All, Backup, Recursive, Clear, DryRun, Diff, Log, Quiet, Verbose,
    Version, Help, Automatic, Encoding, Bytes, Jobs, Hidden, NoIgnore, Undo, Runs, NoUndo,
};

struct OptionSpec {
    char Short;  // 0: long name only
    std::string_view Long;  // empty: short name only
    Takes Value;
    OptionId Id;
};

constexpr OptionSpec Options[] = {
    {'F', "find", Takes::Text, OptionId::Find},
    {'R', "replace", Takes::Text, OptionId::Replace},
    {'O', "options", Takes::Text, OptionId::Options},
    {'L', "list", Takes::Text, OptionId::List},
    {'E', "extensions", Takes::Text, OptionId::Extensions},
    {'A', "all", Takes::OnOff, OptionId::All},
    {'B', "backup", Takes::OnOff, OptionId::Backup},
    {'S', "recursive", Takes::OnOff, OptionId::Recursive},
    {'c', "clear", Takes::Nothing, OptionId::Clear},
    {'n', "dry-run", Takes::Nothing, OptionId::DryRun},
    {0, "diff", Takes::Nothing, OptionId::Diff},
    {0, "log", Takes::Text, OptionId::Log},
    {'q', "quiet", Takes::Nothing, OptionId::Quiet},
    {'v', "verbose", Takes::Nothing, OptionId::Verbose},
    {'V', "version", Takes::Nothing, OptionId::Version},
    {'h', "help", Takes::Nothing, OptionId::Help},
    // The window program's automatic-mode switch: this command always runs that way.
    {'H', "", Takes::Nothing, OptionId::Automatic},
    {0, "encoding", Takes::Text, OptionId::Encoding},
    {0, "bytes", Takes::Nothing, OptionId::Bytes},
    {'j', "jobs", Takes::Text, OptionId::Jobs},
    {0, "hidden", Takes::Nothing, OptionId::Hidden},
    {0, "no-ignore", Takes::Nothing, OptionId::NoIgnore},
    {0, "undo", Takes::Attached, OptionId::Undo},
    {0, "runs", Takes::Nothing, OptionId::Runs},
    {0, "no-undo", Takes::Nothing, OptionId::NoUndo},
};

// The letters -O knows, in either case.
constexpr std::string_view OptionLetters = "scekmi";

const OptionSpec* ShortOption(char letter)
{
    for (const OptionSpec& option : Options)
        if (option.Short != 0 && option.Short == letter)
            return &option;
    return nullptr;
}

const OptionSpec* LongOption(std::string_view name)
{
    for (const OptionSpec& option : Options)
        if (!option.Long.empty() && option.Long == name)
            return &option;
    return nullptr;
}

std::optional<EncodingChoice> EncodingNamed(std::string_view value)
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

std::optional<int> WorkerNumber(std::string_view value)
{
    int number = 0;
    if (value.empty() || value.size() > 3)
        return std::nullopt;
    for (const char digit : value) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        number = number * 10 + (digit - '0');
    }
    if (number < 1 || number > 256)
        return std::nullopt;
    return number;
}

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

// Puts one option's value into the request; the error, naming the option as it was
// written, when the value is not one it takes.
std::string Apply(CommandRequest& request, const OptionSpec& option, std::string_view written, std::string value)
{
    switch (option.Id) {
    case OptionId::Find:
        request.FindText = std::move(value);
        break;
    case OptionId::Replace:
        request.ReplaceText = std::move(value);
        break;
    case OptionId::Options: {
        const std::string letters = LowerAsciiLetters(value);
        for (const char letter : letters)
            if (OptionLetters.find(letter) == std::string_view::npos)
                return "option " + Quoted(written) + " takes the letters s, c, e, k, m and i, not " +
                       Quoted(std::string(1, letter));
        request.OptionLetters = letters;
        break;
    }
    case OptionId::List:
        request.ReplaceListFile = std::move(value);
        break;
    case OptionId::Extensions: {
        std::string bad;
        request.AllowedExtensions = ExtensionPatterns(value, bad);
        if (!request.AllowedExtensions)
            return "option " + Quoted(written) + ": " + Quoted(bad) +
                   " is no extension pattern (write *.txt, .txt or txt, several separated by ; or ,)";
        break;
    }
    case OptionId::All:
    case OptionId::Backup:
    case OptionId::Recursive: {
        if (value != "" && value != "0" && value != "1")
            return "option " + Quoted(written) + " takes 0 or 1, not " + Quoted(value);
        const int on = value != "0";
        (option.Id == OptionId::All ? request.FullAutomatic
         : option.Id == OptionId::Backup ? request.MakeBackup
                                         : request.IncludeSubfolders) = on;
        break;
    }
    case OptionId::Clear:
        request.Clear = true;
        break;
    case OptionId::DryRun:
        request.DryRun = true;
        break;
    case OptionId::Diff:
        request.Diff = true;
        break;
    case OptionId::Log:
        if (value.empty())
            return "option " + Quoted(written) + " needs a file name";
        request.LogFile = std::move(value);
        break;
    case OptionId::Quiet:
        request.Output = Verbosity::Quiet;
        break;
    case OptionId::Verbose:
        request.Output = Verbosity::Verbose;
        break;
    case OptionId::Version:
        request.Version = true;
        break;
    case OptionId::Help:
        request.Help = true;
        break;
    case OptionId::Automatic:
        break;
    case OptionId::Encoding:
        request.Encoding = EncodingNamed(value);
        if (!request.Encoding)
            return "option " + Quoted(written) + " takes auto, sjis, utf8 or eucjp, not " + Quoted(value);
        break;
    case OptionId::Bytes:
        request.Bytes = true;
        break;
    case OptionId::Hidden:
        request.Hidden = true;
        break;
    case OptionId::NoIgnore:
        request.NoIgnore = true;
        break;
    case OptionId::Undo:
        // An identifier names a folder among the runs, and nothing beside them.
        if (value.find_first_not_of("0123456789-") != std::string::npos)
            return "option " + Quoted(written) + " takes the identifier of a run (tarvelox --runs lists them), not " +
                   Quoted(value);
        request.Undo = std::move(value);
        break;
    case OptionId::Runs:
        request.Runs = true;
        break;
    case OptionId::NoUndo:
        request.NoUndo = true;
        break;
    case OptionId::Jobs:
        request.Jobs = WorkerNumber(value);
        if (!request.Jobs)
            return "option " + Quoted(written) + " takes a number of files from 1 to 256, not " + Quoted(value);
        break;
    }
    return std::string();
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParsedArguments Read()
    {
        ParsedArguments parsed;
        bool optionsEnded = false;
        for (next_ = 1; next_ < arguments_.size() && parsed.Error.empty();) {
            const std::string& argument = arguments_[next_++];
            if (optionsEnded || argument.size() < 2 || argument[0] != '-')
                parsed.Request.FileArguments.push_back(argument);
            else if (argument == "--")
                optionsEnded = true;
            else if (argument[1] == '-')
                parsed.Error = ReadLong(parsed.Request, std::string_view(argument).substr(2));
            else
                parsed.Error = ReadShortGroup(parsed.Request, std::string_view(argument).substr(1));
        }
        return parsed;
    }

private:
    // "-B 0" means "-B0" to anyone who types it, never backups on and a file named 0.
    bool NextIsOnOff() const
    {
        return next_ < arguments_.size() && (arguments_[next_] == "0" || arguments_[next_] == "1");
    }

    // The next argument as a value, whatever it looks like: "-F -x" finds "-x".
    std::optional<std::string> TakeNext()
    {
        if (next_ >= arguments_.size())
            return std::nullopt;
        return arguments_[next_++];
    }

    std::string ReadLong(CommandRequest& request, std::string_view text)
    {
        const std::size_t equals = text.find('=');
        const std::string_view name = text.substr(0, equals);
        const std::string written = "--" + std::string(name);
        const OptionSpec* option = LongOption(name);
        if (!option)
            return "unknown option " + Quoted(written);
        std::optional<std::string> value;
        if (equals != std::string_view::npos)
            value = std::string(text.substr(equals + 1));
        switch (option->Value) {
        case Takes::Nothing:
            if (value)
                return "option " + Quoted(written) + " takes no value";
            break;
        case Takes::Text:
            if (!value)
                value = TakeNext();
            if (!value)
                return "option " + Quoted(written) + " needs a value";
            break;
        case Takes::Attached:
            if (value && value->empty())
                return "option " + Quoted(written) + " takes a value attached (" + written + "=VALUE), not ''";
            break;
        case Takes::OnOff:
            // Only the bare name means on.
            if (value && value->empty())
                return "option " + Quoted(written) + " takes 0 or 1, not ''";
            if (!value && NextIsOnOff())
                return "option " + Quoted(written) + " takes its 0 or 1 attached (" + written + "=" +
                       arguments_[next_] + "); a file named " + arguments_[next_] + " is ./" + arguments_[next_];
            break;
        }
        return Apply(request, *option, written, value.value_or(std::string()));
    }

    // "-nv" is "-n -v"; an option that takes a value takes the rest of the group.
    std::string ReadShortGroup(CommandRequest& request, std::string_view letters)
    {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const std::string written = std::string("-") + letters[i];
            const OptionSpec* option = ShortOption(letters[i]);
            if (!option)
                return "unknown option " + Quoted(written);
            if (option->Value == Takes::Nothing) {
                if (std::string error = Apply(request, *option, written, std::string()); !error.empty())
                    return error;
                continue;
            }
            std::optional<std::string> value = std::string(letters.substr(i + 1));
            if (option->Value == Takes::Text && value->empty())
                value = TakeNext();
            else if (value->empty() && NextIsOnOff())
                return "option " + Quoted(written) + " takes its 0 or 1 attached (" + written + arguments_[next_] +
                       "); a file named " + arguments_[next_] + " is ./" + arguments_[next_];
            if (!value)
                return "option " + Quoted(written) + " needs a value";
            return Apply(request, *option, written, std::move(*value));
        }
        return std::string();
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 1;
};

}  // namespace

ParsedArguments ParseNativeArguments(const std::vector<std::string>& arguments)
{
    return ArgumentReader(arguments).Read();
}

std::vector<std::string> OptionSpellings()
{
    std::vector<std::string> spellings;
    for (const OptionSpec& option : Options) {
        if (option.Short != 0)
            spellings.push_back(std::string("-") + option.Short);
        if (!option.Long.empty())
            spellings.push_back("--" + std::string(option.Long));
    }
    return spellings;
}
