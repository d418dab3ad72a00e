#include "app/MainDialogFields.h"

#include "app/SettingsStore.h"
#include "lists/TabRule.h"

namespace {

// Each option box with its flag; all six, in the order of the keys that remember them.
struct OptionBox {
    int MainDialogFields::*Field;
    PatternOption Option;
};

constexpr OptionBox OptionBoxes[] = {
    {&MainDialogFields::NotEscape, NotEscape},  {&MainDialogFields::NotCase, NotCase},
    {&MainDialogFields::RegularExpression, RegularExpression}, {&MainDialogFields::Kanji, Kanji},
    {&MainDialogFields::Multiline, Multiline},  {&MainDialogFields::Ignorecase, Ignorecase},
};

}  // namespace

PatternOptions OptionsOf(const MainDialogFields& fields)
{
    PatternOptions options = 0;
    for (const OptionBox& box : OptionBoxes)
        if (fields.*box.Field != 0)
            options |= box.Option;
    return options;
}

void SetOptions(MainDialogFields& fields, PatternOptions options)
{
    for (const OptionBox& box : OptionBoxes)
        fields.*box.Field = HasOption(options, box.Option) ? 1 : 0;
}

ReplacePattern SinglePatternOf(const MainDialogFields& fields)
{
    return ReplacePattern{fields.FindText, fields.ReplaceText, OptionsOf(fields)};
}

void ApplyTabRule(MainDialogFields& fields)
{
    fields.FindText = EscapeTabs(fields.FindText);
    fields.ReplaceText = EscapeTabs(fields.ReplaceText);
}

void WriteMainKeys(SettingsStore& settings, const MainDialogFields& fields, const std::string& lastAddFolder)
{
    settings.WriteText(Setting::OpenDir, lastAddFolder);
    settings.WriteText(Setting::Find, fields.FindText);
    settings.WriteText(Setting::Replace, fields.ReplaceText);
    const std::pair<Setting, int> switches[] = {
        {Setting::AllAuto, fields.FullAutomatic},
        {Setting::NotEscape, fields.NotEscape},
        {Setting::NotCase, fields.NotCase},
        {Setting::RegularExpression, fields.RegularExpression},
        {Setting::Kanji, fields.Kanji},
        {Setting::Multiline, fields.Multiline},
        {Setting::Ignorecase, fields.Ignorecase},
        {Setting::BackUp, fields.BackUp},
    };
    for (const auto& [setting, value] : switches)
        settings.WriteSwitch(setting, value);
}
