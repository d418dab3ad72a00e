#include "cli/RequestCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "engine/pattern/EscapeSequences.h"
#include "engine/rewrite/RegexReplace.h"
#include "platform/DoubleByte.h"

std::string IgnoredOrMissing(const CommandRequest& request, bool fullAutomatic)
{
    if (fullAutomatic) {
        if (request.FindText || request.ReplaceText)
            return "-F and -R are not used with -A, which runs the replace list (-A0 runs -F and -R)";
        if (request.OptionLetters)
            return "-O is not used with -A: each pattern of the replace list has its own options";
        return std::string();
    }
    if (request.ReplaceListFile)
        return "-L names the replace list that -A runs, and -A is not given";
    if (!request.FindText)
        return "there is nothing to find: give -F TEXT (or -A to run a replace list)";
    const std::string& letters = request.OptionLetters.value_or(std::string());
    const bool expression = letters.find('e') != std::string::npos;
    if (FindsNothing(*request.FindText, !expression && letters.find('s') == std::string::npos))
        return "the find text is empty";
    return OptionLettersProblem(letters);
}

bool FindsNothing(const std::string& find, bool escapes)
{
    // A literal text of nothing but separators (\|) holds no alternative to find either.
    const std::vector<std::string> alternatives = escapes ? DecodeFindEscapes(find) : std::vector{find};
    return std::all_of(alternatives.begin(), alternatives.end(), [](const std::string& text) { return text.empty(); });
}

std::string OptionLettersProblem(std::string_view letters)
{
    const bool expression = letters.find('e') != std::string_view::npos;
    for (const char letter : letters) {
        if (!expression && (letter == 'i' || letter == 'm' || letter == 'k'))
            return std::string("-O") + letter + " is an option of regular expressions, and 'e' is not given" +
                   (letter == 'i' ? " (ignore case in a literal text: -Oc)" : "");
        // A regular expression reads its escapes and its case itself, as the window has it.
        if (expression && (letter == 'c' || letter == 's'))
            return std::string("-O") + letter + " is an option of literal texts, and 'e' makes a regular expression" +
                   (letter == 'c' ? " (ignore case in it: -Oei)" : " (which reads its own escapes)");
    }
    return std::string();
}

std::string NotForAFilter(const CommandRequest& request)
{
    if (request.DryRun || request.Diff)
        return "no file is named: standard input is filtered to standard output, which a preview does not do";
    if (request.LogFile)
        return "no file is named: standard input is filtered to standard output, and --log logs files";
    if (request.MakeBackup.value_or(0))
        return "no file is named: standard input is filtered to standard output, which has no backup";
    return std::string();
}

std::string ReplacementEscapeWarning(const ReplaceJob& job)
{
    if (job.AllAuto || !HasOption(job.Pattern.Options, RegularExpression) || LibrarySubstitutes(job))
        return std::string();
    const std::string& replace = job.Pattern.Replace;
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    for (std::size_t i = 0; i < replace.size(); i += CharacterLength(replace, i)) {
        if (replace[i] == '$') {
            if (i + 1 == replace.size())
                return "warning: the $ that ends the replacement is dropped here: write $$ for a dollar sign";
            const std::size_t length = CharacterLength(replace, i + 1);
            const std::string after = replace.substr(i + 1, length);
            if (after != "$" && !std::isdigit(static_cast<unsigned char>(after[0])))
                return "warning: the $ before \"" + after +
                       "\" in the replacement is dropped here: write $$ for a dollar sign";
            i += length;  // the group's digit or the second dollar is passed over
            continue;
        }
        if (replace[i] != '\\' || i + 1 == replace.size())
            continue;
        const char next = replace[i + 1];
        if (next == '8' || next == '9')
            return std::string("warning: \\") + next + " in the replacement is not a group here but the digit " + next +
                   ": write $" + next + " for the group (or set PROCESS/Bregexp=1)";
        if (next >= '1' && next <= '7') {
            // Up to three octal digits make one byte, modulo 256.
            std::size_t end = i + 1;
            unsigned value = 0;
            for (; end < replace.size() && end < i + 4 && isOctal(replace[end]); ++end)
                value = value * 8 + static_cast<unsigned>(replace[end] - '0');
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", value % 256);
            return "warning: " + replace.substr(i, end - i) + " in the replacement is not a group here but the byte " +
                   byte + ": write $" + next + " for the group (or set PROCESS/Bregexp=1)";
        }
        if (next == 'x' && (i + 2 >= replace.size() || !std::isxdigit(static_cast<unsigned char>(replace[i + 2]))))
            return "warning: \\x without a hexadecimal digit in the replacement is the byte 0x00 here: write the "
                   "character's code after it (\\x41 for A)";
        ++i;  // the escaped character is passed over
    }
    return std::string();
}
