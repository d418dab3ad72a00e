#include "app/MainDialogFields.h"

#include "app/SettingsStore.h"
#include "lists/TabRule.h"

ReplacePattern SinglePatternOf(const MainDialogFields& fields)
{
    return ReplacePattern{fields.FindText, fields.ReplaceText, OptionsOf(fields)};
}

void ApplyTabRule(MainDialogFields& fields)
{
    if (fields.NotEscape != 0 && fields.RegularExpression == 0)
        return;
    fields.FindText = EscapeTabs(fields.FindText);
    fields.ReplaceText = EscapeTabs(fields.ReplaceText);
}

bool FitsInAListLine(const MainDialogFields& fields)
{
    return fields.FindText.find('\t') == std::string::npos && fields.ReplaceText.find('\t') == std::string::npos;
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
