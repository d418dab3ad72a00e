#include "app/MainDialogFields.h"

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "tests/support/TestFiles.h"

TEST(MainDialogFields, TabsBecomeBackslashT)
{
    MainDialogFields fields;
    fields.FindText = std::string("a\tb\t");
    fields.ReplaceText = std::string("\x95\t");
    ApplyTabRule(fields);
    EXPECT_EQ(SinglePatternOf(fields), (ReplacePattern{"a\\tb\\t", "\x95\\t", 0}));
}

TEST(MainDialogFields, MainKeysAreWrittenInTheirOrderAfterOtherSections)
{
    TempFolder folder;
    SettingsStore settings;
    settings.SetFilePath(folder / "Tarvelox.ini");
    settings.WriteSettingString("SETTING", "MemLast", "1");
    MainDialogFields fields;
    fields.FullAutomatic = 1;
    fields.BackUp = 0;
    fields.Kanji = 1;
    fields.FindText = std::string("\x95\x5C\\t");
    fields.ReplaceText = std::string("r");
    WriteMainKeys(settings, fields, "C:\\texts");
    const std::string first = "[SETTING]\r\nMemLast=1\r\n[MAIN]\r\nOpenDir=C:\\texts\r\nFind=\x95\x5C\\t\r\nReplace=r\r\n"
                              "AllAuto=1\r\nNotEscape=0\r\nNotCase=0\r\nRegularExpression=0\r\nKanji=1\r\n"
                              "Multiline=0\r\nIgnorecase=0\r\nBackUp=0\r\n";
    EXPECT_EQ(ReadBytes(folder / "Tarvelox.ini"), first);

    // A second close replaces the values where they stand.
    fields.FindText.clear();
    fields.Ignorecase = 1;
    WriteMainKeys(settings, fields, ".");
    std::string second = first;
    second.replace(second.find("OpenDir=C:\\texts"), 16, "OpenDir=.");
    second.replace(second.find("Find=\x95\x5C\\t"), 9, "Find=");
    second.replace(second.find("Ignorecase=0"), 12, "Ignorecase=1");
    EXPECT_EQ(ReadBytes(folder / "Tarvelox.ini"), second);
}
