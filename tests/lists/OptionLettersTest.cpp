#include "lists/OptionLetters.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionLetters, WritesOnlyTheTwelveFields)
{
    const struct {
        PatternOptions options;
        const char* letters;
    } cases[] = {
        {0, ""},
        {NotEscape, "S"},
        {NotCase, "C"},
        {NotEscape | NotCase, "SC"},
        {NotEscape | NotCase | Kanji | Multiline | Ignorecase, "SC"},
        {Kanji | Ignorecase, ""},
        {RegularExpression, "E"},
        {RegularExpression | Kanji, "Ek"},
        {RegularExpression | Multiline, "Em"},
        {RegularExpression | Ignorecase, "Ei"},
        {RegularExpression | Kanji | Multiline, "Ekm"},
        {RegularExpression | Kanji | Ignorecase, "Eki"},
        {RegularExpression | Multiline | Ignorecase, "Emi"},
        {RegularExpression | Kanji | Multiline | Ignorecase, "Ekmi"},
        {RegularExpression | Kanji | Multiline | Ignorecase | NotEscape | NotCase, "Ekmi"},
        {RegularExpression | 0x80000000u, "E"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionLettersFrom(c.options), c.letters) << std::hex << c.options;
}

TEST(OptionLetters, ReadsEachLetterAnywhereAndNothingElse)
{
    const struct {
        std::string letters;
        PatternOptions options;
    } cases[] = {
        {"", 0},
        {"ESC", RegularExpression | NotEscape | NotCase},
        {"CS", NotEscape | NotCase},
        {"iiimkE", RegularExpression | Kanji | Multiline | Ignorecase},
        {"e", 0},
        {"I", 0},
        {"escKMI", 0},
        {"E\tzzz", RegularExpression},
        {"x k y", Kanji},
        {std::string("\0S", 2), NotEscape},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionsFromLetters(c.letters), c.options) << c.letters;
}

}  // namespace
