#include "app/SettingsStore.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

namespace {

struct Expected {
    Setting setting;
    const char* section;
    const char* key;
    int switchValue;
    std::string text;
};

std::vector<Expected> FirstStartValues()
{
    return {
        {Setting::Find, "MAIN", "Find", 0, ""},
        {Setting::Replace, "MAIN", "Replace", 0, ""},
        {Setting::NotEscape, "MAIN", "NotEscape", 0, ""},
        {Setting::NotCase, "MAIN", "NotCase", 0, ""},
        {Setting::RegularExpression, "MAIN", "RegularExpression", 0, ""},
        {Setting::Kanji, "MAIN", "Kanji", 0, ""},
        {Setting::Multiline, "MAIN", "Multiline", 0, ""},
        {Setting::Ignorecase, "MAIN", "Ignorecase", 0, ""},
        {Setting::AllAuto, "MAIN", "AllAuto", 0, ""},
        {Setting::BackUp, "MAIN", "BackUp", 1, ""},
        {Setting::OpenDir, "MAIN", "OpenDir", 0, "."},
        {Setting::MemLast, "SETTING", "MemLast", 0, ""},
        {Setting::SubEntry, "SETTING", "SubEntry", 1, ""},
        {Setting::AbleExt, "SETTING", "AbleExt", 0, "*.bat;*.cgi;*.css;*.htm;*.html;*.js;*.log;*.pl;*.shtml;*.txt"},
        {Setting::Editor, "SETTING", "Editor", 0, "notepad.exe"},
        {Setting::ShowLog, "SETTING", "ShowLog", 1, ""},
        {Setting::PlayWave, "SETTING", "PlayWave", 0, ""},
        {Setting::ReplaceList, "SETTING", "ReplaceList", 0, platform::GetProgramDirectory() + "replace.lst"},
        {Setting::Bregexp, "PROCESS", "Bregexp", 0, ""},
        {Setting::Priority, "PROCESS", "Priority", 0, ""},
        {Setting::ShiftJisOnly, "PROCESS", "ShiftJisOnly", 0, ""},
        {Setting::Workers, "PROCESS", "Workers", 0, ""},
        {Setting::MainWidth, "WINDOW", "MainWidth", 0, ""},
        {Setting::MainHeight, "WINDOW", "MainHeight", 0, ""},
        {Setting::LogWidth, "WINDOW", "LogWidth", 0, ""},
        {Setting::LogHeight, "WINDOW", "LogHeight", 0, ""},
        {Setting::UndoRuns, "PROCESS", "UndoRuns", 10, ""},
        {Setting::UndoSize, "PROCESS", "UndoSize", 1024, ""},
    };
}

bool IsSwitch(Setting setting)
{
    return DefinitionOf(setting).Type == SettingType::Switch;
}

TEST(SettingsStore, FirstStartReadsEveryDefaultAndWritesNothing)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    const std::vector<Expected> values = FirstStartValues();
    ASSERT_EQ(values.size(), SettingDefinitions().size());
    for (const Expected& expected : values) {
        if (IsSwitch(expected.setting))
            EXPECT_EQ(store.ReadSwitch(expected.setting), expected.switchValue) << expected.key;
        else
            EXPECT_EQ(store.ReadText(expected.setting), expected.text) << expected.key;
    }
    EXPECT_FALSE(FileExists(folder / "Tarvelox.ini"));
}

TEST(SettingsStore, ReadsEveryKeyFromItsSection)
{
    TempFolder folder;
    std::string file;
    for (const char* section : {"MAIN", "SETTING", "PROCESS", "WINDOW"}) {
        file.append("[").append(section).append("]\r\n");
        for (const Expected& expected : FirstStartValues())
            if (std::string(expected.section) == section)
                file.append(expected.key).append(IsSwitch(expected.setting) ? "=7\r\n" : "=set\r\n");
    }
    WriteBytes(folder / "Tarvelox.ini", file);
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    for (const Expected& expected : FirstStartValues()) {
        if (IsSwitch(expected.setting))
            EXPECT_EQ(store.ReadSwitch(expected.setting), 7) << expected.key;
        else
            EXPECT_EQ(store.ReadText(expected.setting), "set") << expected.key;
    }
}

TEST(SettingsStore, PresentEmptyTextIsNotTheDefault)
{
    TempFolder folder;
    WriteBytes(folder / "Tarvelox.ini",
               "[SETTING]\r\nEditor=\r\nPlayWave=\r\nReplaceList=\r\nShowLog=\r\n[MAIN]\r\nBackUp=on\r\nOpenDir=\r\n");
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    EXPECT_EQ(store.ReadText(Setting::Editor), "");
    EXPECT_EQ(store.ReadText(Setting::ReplaceList), "");
    EXPECT_EQ(store.ReadText(Setting::OpenDir), "");
    EXPECT_EQ(store.ReadText(Setting::PlayWave), "");
    // An empty number keeps its default, as the system's profile functions read it.
    EXPECT_EQ(store.ReadSwitch(Setting::ShowLog), 1);
    EXPECT_EQ(store.ReadSwitch(Setting::BackUp), 0);
    EXPECT_EQ(store.ReadSettingString("SETTING", "Missing"), "");
    EXPECT_EQ(store.ReadSettingString("setting", "EDITOR", "x"), "");
}

TEST(SettingsStore, WritesGoToTheFileAtOnceAndReadsSeeThem)
{
    TempFolder folder;
    SettingsStore writer;
    SettingsStore reader;
    writer.SetFilePath(folder / "Tarvelox.ini");
    reader.SetFilePath(folder / "Tarvelox.ini");
    EXPECT_TRUE(writer.WriteSwitch(Setting::Bregexp, 1));
    EXPECT_EQ(reader.ReadBregexp(), 1);
    const EngineSettings& engine = reader;
    EXPECT_TRUE(writer.WriteText(Setting::PlayWave, "C:\\sounds\\done.wav"));
    EXPECT_EQ(reader.ReadText(Setting::PlayWave), "C:\\sounds\\done.wav");
    WriteBytes(folder / "Tarvelox.ini", "[SETTING]\r\nShowLog=0\r\n");
    EXPECT_EQ(reader.ReadSwitch(Setting::ShowLog), 0);
    EXPECT_EQ(engine.ReadBregexp(), 0);
}

TEST(SettingsStore, MainWindowExitWritesTheExpectedFile)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    store.WriteText(Setting::OpenDir, "C:\\work");
    store.WriteText(Setting::Find, "\x95\x5c\\t");
    store.WriteText(Setting::Replace, "");
    for (const Setting setting : {Setting::AllAuto, Setting::NotEscape, Setting::NotCase, Setting::RegularExpression,
                                  Setting::Kanji, Setting::Multiline, Setting::Ignorecase})
        store.WriteSwitch(setting, 0);
    store.WriteSwitch(Setting::BackUp, 1);
    store.WriteSettingInt("PROCESS", "Priority", -15);
    EXPECT_EQ(ReadBytes(folder / "Tarvelox.ini"),
              "[MAIN]\r\nOpenDir=C:\\work\r\nFind=\x95\x5c\\t\r\nReplace=\r\nAllAuto=0\r\nNotEscape=0\r\nNotCase=0\r\n"
              "RegularExpression=0\r\nKanji=0\r\nMultiline=0\r\nIgnorecase=0\r\nBackUp=1\r\n"
              "[PROCESS]\r\nPriority=-15\r\n");
    EXPECT_EQ(store.ReadSwitch(Setting::Priority), -15);
    EXPECT_EQ(store.ReadText(Setting::Find), "\x95\x5c\\t");
}

TEST(SettingsStore, LongTextsComeBackCut)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    const std::string find = std::string(4094, 'a') + "\x83\x41" + "tail";
    ASSERT_TRUE(store.WriteText(Setting::Find, find));
    EXPECT_EQ(store.ReadText(Setting::Find), std::string(4094, 'a'));
    ASSERT_TRUE(store.WriteText(Setting::Replace, std::string(5000, 'r')));
    EXPECT_EQ(store.ReadText(Setting::Replace), std::string(4095, 'r'));
    EXPECT_EQ(store.ReadSettingString("MAIN", "Replace"), std::string(4095, 'r'));
    ASSERT_TRUE(store.WriteText(Setting::OpenDir, std::string(300, 'd')));
    EXPECT_EQ(store.ReadText(Setting::OpenDir), std::string(259, 'd'));
}

TEST(SettingsStore, AFileThatCannotBeWrittenLeavesTheDefaults)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / (std::string("missing") + platform::PathSeparator + "Tarvelox.ini"));
    EXPECT_FALSE(store.WriteSwitch(Setting::ShowLog, 0));
    EXPECT_EQ(store.ReadSwitch(Setting::ShowLog), 1);

    SettingsStore unset;
    EXPECT_FALSE(unset.WriteText(Setting::Editor, "vi"));
    EXPECT_EQ(unset.ReadText(Setting::Editor), "notepad.exe");
    EXPECT_EQ(unset.ReadSettingInt("MAIN", "BackUp", 7), 7);
}

}  // namespace
