#include "app/MainDialog.h"

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "framework/Controls.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestFiles.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

// Every control whose state a rule sets, in one line: 1 enabled, 0 disabled.
std::string EnabledStates(HWND dialog)
{
    std::string states;
    for (const int id : {IDC_FIND_TEXT, IDC_REPLACE_TEXT, IDC_ALL_AUTO, IDC_NOT_ESCAPE, IDC_NOT_CASE,
                         IDC_REGULAR_EXPRESSION, IDC_MODIFIER_FRAME, IDC_KANJI, IDC_MULTILINE, IDC_IGNORECASE,
                         IDC_START, IDC_PREVIEW})
        states += IsEnabled(dialog, id) ? '1' : '0';
    return states;
}

// The states as written in the tables below, grouped with blanks.
std::string States(std::string grouped)
{
    std::erase(grouped, ' ');
    return grouped;
}

const std::string MainKeysAtFirstClose = "[MAIN]\r\nOpenDir=.\r\nFind=\r\nReplace=\r\nAllAuto=0\r\nNotEscape=0\r\n"
                                         "NotCase=0\r\nRegularExpression=0\r\nKanji=0\r\nMultiline=0\r\n"
                                         "Ignorecase=0\r\nBackUp=1\r\n";

}  // namespace

TEST_F(MainDialogFixture, FirstStartShowsTheDefaultsAndTheCloseWritesAllMainKeys)
{
    Open();
    // Grouped: find and replace, full-automatic, S and C, E and its frame, k m i, Start and
    // Preview.
    EXPECT_EQ(EnabledStates(Dialog()), States("11 0 11 11 000 00"));
    EXPECT_TRUE(IsChecked(Dialog(), IDC_BACKUP));
    EXPECT_FALSE(IsChecked(Dialog(), IDC_ALL_AUTO));
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT)), "");
    EXPECT_FALSE(FileExists(IniPath()));
    Close();
    EXPECT_EQ(ReadBytes(IniPath()), MainKeysAtFirstClose);
}

TEST_F(MainDialogFixture, EnablingRulesFollowTheClicks)
{
    WriteBytes(ProgramFile("replace.lst"), "a\tb\t\r\n");
    const struct {
        const char* name;
        bool library;
        std::vector<int> clicks;
        const char* states;  // grouped as in the first test
    } cases[] = {
        {"start with the library", true, {}, "11 1 11 11 000 00"},
        {"start without the library", false, {}, "11 1 11 00 000 00"},
        {"regular expression", true, {IDC_REGULAR_EXPRESSION}, "11 1 00 11 111 00"},
        {"regular expression off again", true, {IDC_REGULAR_EXPRESSION, IDC_REGULAR_EXPRESSION}, "11 1 11 11 000 00"},
        {"full-automatic", true, {IDC_ALL_AUTO}, "00 1 00 01 000 11"},
        {"full-automatic over a regular expression", true, {IDC_REGULAR_EXPRESSION, IDC_ALL_AUTO}, "00 1 00 01 000 11"},
        {"full-automatic off again", true, {IDC_REGULAR_EXPRESSION, IDC_ALL_AUTO, IDC_ALL_AUTO}, "11 1 00 11 111 00"},
        {"full-automatic without the library", false, {IDC_ALL_AUTO}, "00 1 00 00 000 11"},
        {"no regular expression without the library", false, {IDC_REGULAR_EXPRESSION}, "11 1 11 00 000 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::RemoveFile(IniPath());
        Open({}, c.library);
        // A file listed and no find text: Start follows the full-automatic box.
        AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
        for (const int id : c.clicks)
            Click(Dialog(), id);
        EXPECT_EQ(EnabledStates(Dialog()), States(c.states));
        Close();
    }
}

TEST_F(MainDialogFixture, StartNeedsAFileAndAFindTextUnlessFullAutomatic)
{
    WriteBytes(ProgramFile("replace.lst"), "a\tb\t\r\n");
    Open();
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "x");
    EXPECT_TRUE(IsEnabled(Dialog(), IDC_START));
    ReplaceText(Dialog(), IDC_FIND_TEXT, "");
    EXPECT_FALSE(IsEnabled(Dialog(), IDC_START));
    Click(Dialog(), IDC_ALL_AUTO);
    EXPECT_TRUE(IsEnabled(Dialog(), IDC_START));
    Close();
}

TEST_F(MainDialogFixture, ChoosingAPatternSetsTheReplaceTextAndTheOptions)
{
    WriteBytes(ProgramFile("replace.lst"), "lit\tL\tSC\r\n\\d+\t#\tEkm\r\n\tempty\t\r\n");
    for (const bool library : {true, false}) {
        SCOPED_TRACE(library);
        Open({}, library);
        EXPECT_EQ(ComboEntries(Dialog(), IDC_FIND_TEXT), (std::vector<std::string>{"lit", "\\d+", ""}));
        EXPECT_EQ(ComboEntries(Dialog(), IDC_REPLACE_TEXT), (std::vector<std::string>{"L", "#", "empty"}));

        ChooseEntry(Dialog(), IDC_FIND_TEXT, 0);
        EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_REPLACE_TEXT)), "L");
        EXPECT_TRUE(IsChecked(Dialog(), IDC_NOT_ESCAPE));
        EXPECT_TRUE(IsChecked(Dialog(), IDC_NOT_CASE));

        ChooseEntry(Dialog(), IDC_FIND_TEXT, 1);
        EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_REPLACE_TEXT)), "#");
        EXPECT_FALSE(IsChecked(Dialog(), IDC_NOT_ESCAPE));
        EXPECT_FALSE(IsChecked(Dialog(), IDC_NOT_CASE));
        // A regular expression stays one without the library too, never literal text:
        // its box can be turned off, and Start says why it cannot run.
        EXPECT_TRUE(IsChecked(Dialog(), IDC_REGULAR_EXPRESSION));
        EXPECT_TRUE(IsChecked(Dialog(), IDC_KANJI));
        EXPECT_TRUE(IsChecked(Dialog(), IDC_MULTILINE));
        EXPECT_FALSE(IsChecked(Dialog(), IDC_IGNORECASE));
        EXPECT_FALSE(IsEnabled(Dialog(), IDC_NOT_ESCAPE));
        EXPECT_TRUE(IsEnabled(Dialog(), IDC_KANJI));
        EXPECT_TRUE(IsEnabled(Dialog(), IDC_REGULAR_EXPRESSION));
        ChooseEntry(Dialog(), IDC_FIND_TEXT, 0);
        EXPECT_FALSE(IsChecked(Dialog(), IDC_REGULAR_EXPRESSION));
        EXPECT_EQ(IsEnabled(Dialog(), IDC_REGULAR_EXPRESSION), library);

        // With a file listed, an entry enables Start even with an empty find text.
        EXPECT_FALSE(IsEnabled(Dialog(), IDC_START));
        AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
        ChooseEntry(Dialog(), IDC_FIND_TEXT, 2);
        EXPECT_TRUE(IsEnabled(Dialog(), IDC_START));
        Close();
    }
}

TEST_F(MainDialogFixture, AMissingReplaceListGivesEmptyListsAndNoFullAutomatic)
{
    WriteSetting("SETTING", "ReplaceList", "missing.lst");
    WriteSetting("MAIN", "AllAuto", "1");
    Open();
    EXPECT_TRUE(ComboEntries(Dialog(), IDC_FIND_TEXT).empty());
    // A remembered full-automatic stays on, and can be turned off; Start would say that
    // the list is missing.
    EXPECT_TRUE(IsChecked(Dialog(), IDC_ALL_AUTO));
    EXPECT_EQ(EnabledStates(Dialog()), States("00 1 00 01 000 00"));
    Click(Dialog(), IDC_ALL_AUTO);
    EXPECT_FALSE(IsChecked(Dialog(), IDC_ALL_AUTO));
    EXPECT_EQ(EnabledStates(Dialog()), States("11 0 11 11 000 00"));
    Close();
}

// A remembered regular expression without the library stays one, and its box can be
// turned off, but not on again.
TEST_F(MainDialogFixture, ARememberedRegularExpressionWithoutTheLibraryStaysOne)
{
    WriteSetting("SETTING", "MemLast", "1");
    WriteSetting("MAIN", "RegularExpression", "1");
    WriteSetting("MAIN", "Kanji", "1");
    Open({}, false);
    EXPECT_TRUE(IsChecked(Dialog(), IDC_REGULAR_EXPRESSION));
    EXPECT_TRUE(IsChecked(Dialog(), IDC_KANJI));
    EXPECT_EQ(EnabledStates(Dialog()), States("11 0 00 11 111 00"));
    Click(Dialog(), IDC_REGULAR_EXPRESSION);
    EXPECT_FALSE(IsChecked(Dialog(), IDC_REGULAR_EXPRESSION));
    EXPECT_EQ(EnabledStates(Dialog()), States("11 0 11 00 000 00"));
    Close();
}

TEST_F(MainDialogFixture, TheCommandLineListIsLoadedFirstAndTheConfiguredOneOnListEditClosed)
{
    TempFolder elsewhere;
    WriteBytes(elsewhere / "given.lst", "given\tG\t\r\n");
    WriteBytes(ProgramFile("replace.lst"), "configured\tC\t\r\n");
    WriteSetting("SETTING", "MemLast", "1");
    WriteSetting("MAIN", "Find", "remembered");
    Open({"-L" + (elsewhere / "given.lst")});
    EXPECT_EQ(ComboEntries(Dialog(), IDC_FIND_TEXT), std::vector<std::string>{"given"});
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT)), "remembered");

    ReplaceText(Dialog(), IDC_FIND_TEXT, "typed");
    ::SendMessageA(Dialog(), WM_LISTEDITCLOSED, 0, 0);
    EXPECT_EQ(ComboEntries(Dialog(), IDC_FIND_TEXT), std::vector<std::string>{"configured"});
    // The typed text survives the reload.
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT)), "typed");
    Close();
}

TEST_F(MainDialogFixture, EnterIsSwallowedEverywhereAndEscEndsTheProgramWithAnEmptyList)
{
    CMainDialog dialog(Settings(), {"tarvelox.exe", "-Ffind"});
    int activations = 0;
    bool swallowed = true;
    ActivationWatcher watcher([&](HWND window) {
        if (activations++ > 0)
            return;
        AddListEntries(window, IDC_FILE_LIST, {"no-such-file.txt"});
        for (const int id : {IDC_FIND_TEXT, IDC_FILE_LIST, IDC_START, IDC_ALL_AUTO, IDC_BACKUP, IDCANCEL}) {
            MSG enter{::GetDlgItem(window, id), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
            swallowed = swallowed && dialog.PreTranslateMessage(enter);
        }
        // Through the program's own loop: Enter on Start runs nothing, Esc ends once the
        // list is empty.
        ::EnableWindow(::GetDlgItem(window, IDC_START), TRUE);
        ::PostMessageA(::GetDlgItem(window, IDC_START), WM_KEYDOWN, VK_RETURN, 0);
        CListBox(::GetDlgItem(window, IDC_FILE_LIST)).ResetContent();
        ::PostMessageA(::GetDlgItem(window, IDC_FILE_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(swallowed);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(ReadBytes(IniPath()), "[MAIN]\r\nOpenDir=.\r\nFind=find\r\nReplace=\r\nAllAuto=0\r\nNotEscape=0\r\n"
                                    "NotCase=0\r\nRegularExpression=0\r\nKanji=0\r\nMultiline=0\r\n"
                                    "Ignorecase=0\r\nBackUp=1\r\n");
}

// Esc, as the user presses it: with files in the list it does nothing but close an open
// drop-down list, so that a slip of the finger never drops the list; with an empty list it
// ends the dialog, as 終了 does.
TEST_F(MainDialogFixture, EscEndsTheDialogOnlyWhileTheFileListIsEmpty)
{
    WriteBytes(ProgramFile("replace.lst"), "a\tb\t\r\n");
    Open();
    ::ShowWindow(Dialog(), SW_SHOW);
    ::SetForegroundWindow(Dialog());
    AddListEntries(Dialog(), IDC_FILE_LIST, {"C:\\a.txt"});
    const CComboBox find(::GetDlgItem(Dialog(), IDC_FIND_TEXT));
    for (const HWND focus : {::GetDlgItem(Dialog(), IDC_FILE_LIST), ::GetDlgItem(Dialog(), IDC_START), find.m_hWnd}) {
        Window().GotoDlgCtrl(focus);
        ASSERT_TRUE(PressKeys({{VK_ESCAPE}}));
        RunQueuedMessages();
        ASSERT_TRUE(::IsWindow(Dialog()));
    }
    // Esc and Enter close an open drop-down list, and do nothing else.
    for (const WORD key : {VK_ESCAPE, VK_RETURN}) {
        find.SendMessage(CB_SHOWDROPDOWN, TRUE);
        ASSERT_TRUE(find.GetDroppedState());
        ASSERT_TRUE(PressKeys({{key}}));
        RunQueuedMessages();
        EXPECT_FALSE(find.GetDroppedState()) << key;
        ASSERT_TRUE(::IsWindow(Dialog()));
    }

    CListBox(::GetDlgItem(Dialog(), IDC_FILE_LIST)).ResetContent();
    const HWND dialog = Dialog();
    ASSERT_TRUE(PressKeys({{VK_ESCAPE}}));
    RunQueuedMessages();
    EXPECT_FALSE(::IsWindow(dialog));
}

// The window made larger: the file list and the find box take the room, the buttons below
// and beside them keep their distance to the edges; the size is there at the next start,
// and the window never gets smaller than its template.
TEST_F(MainDialogFixture, TheWindowGrowsWithItsListAndKeepsItsSize)
{
    Open();
    const auto rectOf = [&](int id) { return RectInParent(::GetDlgItem(Dialog(), id)); };
    const RECT list = rectOf(IDC_FILE_LIST), find = rectOf(IDC_FIND_TEXT), start = rectOf(IDC_START),
               add = rectOf(IDC_ADD_FILES);
    const RECT opened = Window().GetWindowRect();
    const SIZE larger{opened.right - opened.left + 200, opened.bottom - opened.top + 150};
    Window().SetWindowPos(nullptr, 0, 0, larger.cx, larger.cy, SWP_NOMOVE | SWP_NOZORDER);

    EXPECT_EQ(rectOf(IDC_FILE_LIST).right - list.right, 200);
    EXPECT_EQ(rectOf(IDC_FILE_LIST).bottom - list.bottom, 150);
    EXPECT_EQ(rectOf(IDC_FIND_TEXT).right - find.right, 200);
    EXPECT_EQ(rectOf(IDC_START).top - start.top, 150);
    EXPECT_EQ(rectOf(IDC_ADD_FILES).left - add.left, 200);
    EXPECT_EQ(rectOf(IDC_ADD_FILES).top, add.top);
    Close();
    EXPECT_EQ(Settings().ReadSwitch(Setting::MainWidth), larger.cx);
    EXPECT_EQ(Settings().ReadSwitch(Setting::MainHeight), larger.cy);

    Open();
    RECT reopened = Window().GetWindowRect();
    EXPECT_EQ(reopened.right - reopened.left, larger.cx);
    EXPECT_EQ(rectOf(IDC_FILE_LIST).bottom - list.bottom, 150);
    MINMAXINFO limits{};
    ::SendMessageA(Dialog(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, opened.right - opened.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, opened.bottom - opened.top);
}
