#include "app/MainDialogRules.h"

namespace {

using C = MainControl;

}  // namespace

ControlStates FullAutomaticRule(bool fullAutomatic, bool regularExpression, bool libraryLoaded)
{
    const bool single = !fullAutomatic;
    return {
        {C::FindText, single},
        {C::ReplaceText, single},
        {C::NotEscape, single && !regularExpression},
        {C::NotCase, single && !regularExpression},
        {C::RegularExpression, single && libraryLoaded},
        {C::Kanji, single && regularExpression},
        {C::Multiline, single && regularExpression},
        {C::Ignorecase, single && regularExpression},
    };
}

ControlStates RegularExpressionRule(bool regularExpression)
{
    return {
        {C::NotEscape, !regularExpression}, {C::NotCase, !regularExpression}, {C::Kanji, regularExpression},
        {C::Multiline, regularExpression},  {C::Ignorecase, regularExpression},
    };
}

ControlStates StartRule(std::size_t fileCount, const std::string& findText, bool fullAutomatic)
{
    const bool runnable = fileCount > 0 && (!findText.empty() || fullAutomatic);
    return {{C::Start, runnable}, {C::Preview, runnable}};
}

ControlStates ReplaceListLoadedRule(std::size_t patternCount)
{
    return {{C::FullAutomatic, patternCount > 0}};
}

ControlStates RegexLibraryRule(bool libraryLoaded)
{
    return {{C::RegularExpression, libraryLoaded}, {C::ModifierFrame, libraryLoaded}};
}

PatternChoice ChoosePatternRule(PatternOptions options, bool libraryLoaded, std::size_t fileCount)
{
    PatternChoice choice;
    choice.Checks = {{C::NotEscape, HasOption(options, PatternOption::NotEscape)},
                     {C::NotCase, HasOption(options, PatternOption::NotCase)}};
    if (libraryLoaded) {
        const bool regular = HasOption(options, PatternOption::RegularExpression);
        choice.Checks.insert(choice.Checks.end(), {{C::RegularExpression, regular},
                                                   {C::Kanji, HasOption(options, PatternOption::Kanji)},
                                                   {C::Multiline, HasOption(options, PatternOption::Multiline)},
                                                   {C::Ignorecase, HasOption(options, PatternOption::Ignorecase)}});
        choice.Enables = RegularExpressionRule(regular);
    }
    if (fileCount > 0)
        choice.Enables.insert(choice.Enables.end(), {{C::Start, true}, {C::Preview, true}});
    return choice;
}
