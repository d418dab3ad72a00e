#include "lists/OptionLetters.h"

namespace {

struct OptionLetter {
    char Letter;
    PatternOption Option;
};

constexpr OptionLetter RegexLetters[] = {{'k', Kanji}, {'m', Multiline}, {'i', Ignorecase}};
constexpr OptionLetter LiteralLetters[] = {{'S', NotEscape}, {'C', NotCase}};
constexpr OptionLetter AllLetters[] = {{'E', RegularExpression}, {'k', Kanji},     {'m', Multiline},
                                       {'i', Ignorecase},        {'S', NotEscape}, {'C', NotCase}};

}  // namespace

std::string OptionLettersFrom(PatternOptions options)
{
    std::string letters;
    if (HasOption(options, RegularExpression)) {
        letters += 'E';
        for (const OptionLetter& entry : RegexLetters)
            if (HasOption(options, entry.Option))
                letters += entry.Letter;
    } else {
        for (const OptionLetter& entry : LiteralLetters)
            if (HasOption(options, entry.Option))
                letters += entry.Letter;
    }
    return letters;
}

PatternOptions OptionsFromLetters(std::string_view letters)
{
    PatternOptions options = 0;
    for (const char byte : letters)
        for (const OptionLetter& entry : AllLetters)
            if (byte == entry.Letter)
                options |= entry.Option;
    return options;
}
