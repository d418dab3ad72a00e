#include "app/MainDialogRules.h"

namespace {

using C = MainControl;

}  // namespace

ControlStates FullAutomaticRule(bool fullAutomatic, bool regularExpression, bool libraryLoaded,
                                std::size_t patternCount)
{
    const bool single = !fullAutomatic;
    ControlStates states = ReplaceListLoadedRule(patternCount, fullAutomatic);
    states.insert(states.end(), {
                                    {C::FindText, single},
                                    {C::ReplaceText, single},
                                    {C::NotEscape, single && !regularExpression},
                                    {C::NotCase, single && !regularExpression},
                                    {C::RegularExpression, single && (libraryLoaded || regularExpression)},
                                    {C::Kanji, single && regularExpression},
                                    {C::Multiline, single && regularExpression},
                                    {C::Ignorecase, single && regularExpression},
                                });
    return states;
}

ControlStates RegularExpressionRule(bool regularExpression, bool libraryLoaded)
{
    ControlStates states = RegexLibraryRule(libraryLoaded, regularExpression);
    states.insert(states.end(), {{C::NotEscape, !regularExpression},
                                 {C::NotCase, !regularExpression},
                                 {C::Kanji, regularExpression},
                                 {C::Multiline, regularExpression},
                                 {C::Ignorecase, regularExpression}});
    return states;
}

ControlStates StartRule(std::size_t fileCount, const std::string& findText, bool fullAutomatic)
{
    const bool runnable = fileCount > 0 && (!findText.empty() || fullAutomatic);
    return {{C::Start, runnable}, {C::Preview, runnable}};
}

ControlStates ReplaceListLoadedRule(std::size_t patternCount, bool fullAutomatic)
{
    return {{C::FullAutomatic, patternCount > 0 || fullAutomatic}};
}

ControlStates RegexLibraryRule(bool libraryLoaded, bool regularExpression)
{
    const bool usable = libraryLoaded || regularExpression;
    return {{C::RegularExpression, usable}, {C::ModifierFrame, usable}};
}

PatternChoice ChoosePatternRule(PatternOptions options, bool libraryLoaded, std::size_t fileCount)
{
    const bool regular = HasOption(options, PatternOption::RegularExpression);
    PatternChoice choice;
    choice.Checks = {{C::NotEscape, HasOption(options, PatternOption::NotEscape)},
                     {C::NotCase, HasOption(options, PatternOption::NotCase)},
                     {C::RegularExpression, regular},
                     {C::Kanji, HasOption(options, PatternOption::Kanji)},
                     {C::Multiline, HasOption(options, PatternOption::Multiline)},
                     {C::Ignorecase, HasOption(options, PatternOption::Ignorecase)}};
    choice.Enables = RegularExpressionRule(regular, libraryLoaded);
    if (fileCount > 0)
        choice.Enables.insert(choice.Enables.end(), {{C::Start, true}, {C::Preview, true}});
    return choice;
}
