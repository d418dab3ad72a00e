#include "app/SettingsDialogValues.h"

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "platform/FileSystem.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr char DefaultExtensions[] = "*.bat;*.cgi;*.css;*.htm;*.html;*.js;*.log;*.pl;*.shtml;*.txt";

void ExpectValues(const SettingsDialogValues& v, int memLast, int subEntry, const std::string& ext,
                  const std::string& editor, int showLog, const std::string& sound, int bregexp, int priority,
                  int shiftJisOnly = 0)
{
    EXPECT_EQ(v.RememberLastPatterns, memLast);
    EXPECT_EQ(v.WalkSubfolders, subEntry);
    EXPECT_EQ(v.Extensions, ext);
    EXPECT_EQ(v.Editor, editor);
    EXPECT_EQ(v.ShowLog, showLog);
    EXPECT_EQ(v.Sound, sound);
    EXPECT_EQ(v.WholeRegexByLibrary, bregexp);
    EXPECT_EQ(v.Background, priority);
    EXPECT_EQ(v.ShiftJisOnly, shiftJisOnly);
}

TEST(SettingsDialogValues, WithoutAFileEveryKeyHasItsDefault)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    ExpectValues(ReadSettingsDialogValues(store), 0, 1, DefaultExtensions, "notepad.exe", 1, "", 0, 0);
    EXPECT_FALSE(FileExists(folder / "Tarvelox.ini"));
}

TEST(SettingsDialogValues, ReadsTheKeysOfBothSections)
{
    TempFolder folder;
    WriteBytes(folder / "Tarvelox.ini", "[PROCESS]\r\nPriority=1\r\nShiftJisOnly=1\r\nBregexp=1\r\n[SETTING]\r\nMemLast=1\r\n"
                                        "SubEntry=0\r\nAbleExt=*.c\r\nEditor=\r\nShowLog=0\r\nPlayWave=C:\\d.wav\r\n");
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    ExpectValues(ReadSettingsDialogValues(store), 1, 0, "*.c", "", 0, "C:\\d.wav", 1, 1, 1);
}

TEST(SettingsDialogValues, ConfirmingWritesAllTenKeysInOrder)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    WriteSettingsDialogValues(store, ReadSettingsDialogValues(store), "C:\\a.lst");
    EXPECT_EQ(ReadBytes(folder / "Tarvelox.ini"),
              std::string("[SETTING]\r\nMemLast=0\r\nSubEntry=1\r\nShowLog=1\r\nAbleExt=") + DefaultExtensions +
                  "\r\nEditor=notepad.exe\r\nPlayWave=\r\nReplaceList=C:\\a.lst\r\n[PROCESS]\r\nBregexp=0\r\nPriority=0\r\n"
                  "ShiftJisOnly=0\r\n");

    // A second confirmation replaces the values in place; other sections stay where they are.
    WriteBytes(folder / "Tarvelox.ini", "[MAIN]\r\nBackUp=1\r\n[SETTING]\r\nEditor=vi\r\nMemLast=1\r\n");
    SettingsDialogValues values = ReadSettingsDialogValues(store);
    values.Sound = "\x95\x5c.wav";
    values.Background = 1;
    WriteSettingsDialogValues(store, values, "C:\\lists\\a.lst");
    EXPECT_EQ(ReadBytes(folder / "Tarvelox.ini"),
              std::string("[MAIN]\r\nBackUp=1\r\n[SETTING]\r\nEditor=vi\r\nMemLast=1\r\nSubEntry=1\r\nShowLog=1\r\n"
                          "AbleExt=") +
                  DefaultExtensions +
                  "\r\nPlayWave=\x95\x5c.wav\r\nReplaceList=C:\\lists\\a.lst\r\n[PROCESS]\r\nBregexp=0\r\nPriority=1\r\nShiftJisOnly=0\r\n");
}

// A list that was missing for a moment left the box empty: its name stays configured.
TEST(SettingsDialogValues, AnEmptyListBoxKeepsTheConfiguredList)
{
    TempFolder folder;
    SettingsStore store;
    store.SetFilePath(folder / "Tarvelox.ini");
    WriteBytes(folder / "Tarvelox.ini", "[SETTING]\r\nReplaceList=D:\\lists\\mine.lst\r\n");
    WriteSettingsDialogValues(store, ReadSettingsDialogValues(store), "");
    EXPECT_EQ(store.ReadText(Setting::ReplaceList), "D:\\lists\\mine.lst");
}

TEST(SettingsDialogValues, BrowseStartsInTheMembersFolderOrTheProgramDirectory)
{
    const std::string s(1, platform::PathSeparator);
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"notepad.exe", "PROGRAM"},
        {"", "PROGRAM"},
        {s + "ed.exe", "PROGRAM"},
        {"C:" + s + "tools" + s + "ed.exe", "C:" + s + "tools"},
        {"C:" + s + "tools" + s, "C:" + s + "tools"},
        // The second byte of a double-byte character is no separator.
        {"C:" + s + "\x95\x5c" + "ed.exe", "C:"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BrowseStartFolder(c.text, "PROGRAM"), c.expected) << c.text;
}

}  // namespace
