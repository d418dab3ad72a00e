#include "editor/PatternEditDialog.h"

#include <gtest/gtest.h>

#include "framework/MessageLoop.h"
#include "framework/Resources.h"
#include "resources/ResourceIds.h"
#include "tests/window/ListEditorFixture.h"

namespace {

using Strings = std::vector<std::string>;

const std::string FourPatterns = "plain\tP\t\r\nlit\tL\tCS\r\nrx\tR\tEkm\r\nre\tE\tE\r\n";

// Enabled (1) or not: find, replace, S, C, E, k, m, i, then the button 登録.
std::string States(HWND dialog)
{
    std::string states;
    for (const int id : {IDC_PATTERN_FIND, IDC_PATTERN_REPLACE, IDC_NOT_ESCAPE, IDC_NOT_CASE, IDC_REGULAR_EXPRESSION,
                         IDC_KANJI, IDC_MULTILINE, IDC_IGNORECASE, IDOK})
        states += IsEnabled(dialog, id) ? '1' : '0';
    return states;
}

// Checked (1) or not: S, C, E, k, m, i.
std::string Checks(HWND dialog)
{
    std::string checks;
    for (const int id : {IDC_NOT_ESCAPE, IDC_NOT_CASE, IDC_REGULAR_EXPRESSION, IDC_KANJI, IDC_MULTILINE, IDC_IGNORECASE})
        checks += IsChecked(dialog, id) ? '1' : '0';
    return checks;
}

// Text typed into a box, as the box tells its dialog.
void Type(HWND dialog, int id, const std::string& text)
{
    ::SetDlgItemTextA(dialog, id, text.c_str());
}

// A key pressed in a control of the dialog, through the program's pre-translation.
void Press(HWND control, UINT key)
{
    MSG message{control, WM_KEYDOWN, key, 0, 0, {}};
    DispatchWithPreTranslation(message);
}

}  // namespace

TEST_F(ListEditorTest, PatternDialogModesShowTheRowAndEnableWhatApplies)
{
    const struct {
        const char* name;
        bool library;
        int selected;
        int command;
        const char* caption;
        const char* find;
        const char* states;
        const char* checks;
    } cases[] = {
        {"add", true, 1, ID_PATTERN_INSERT, "置換えパターンの追加", "", "11111000" "0", "000000"},
        {"add without the library", false, 1, ID_PATTERN_INSERT, "置換えパターンの追加", "", "11110000" "0", "000000"},
        {"edit a literal row", true, 1, ID_PATTERN_EDIT, "置換えパターンの編集", "lit", "11111000" "0", "110000"},
        {"edit a regular expression", true, 2, ID_PATTERN_EDIT, "置換えパターンの編集", "rx", "11001111" "0", "001110"},
        {"edit a regular expression without the library", false, 3, ID_PATTERN_EDIT, "置換えパターンの編集", "re",
         "11110000" "0", "001000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenList(FourPatterns, c.library);
        EXPECT_FALSE(PatternDialog().IsWindowVisible());
        Select(c.selected);
        Command(c.command);
        EXPECT_TRUE(PatternDialog().IsWindowVisible());
        EXPECT_EQ(TextOf(Pattern()), c.caption);
        EXPECT_EQ(TextOf(::GetDlgItem(Pattern(), IDC_PATTERN_FIND)), c.find);
        EXPECT_EQ(States(Pattern()), c.states);
        EXPECT_EQ(Checks(Pattern()), c.checks);
        ::DestroyWindow(EditorWindow());
    }
}

TEST_F(ListEditorTest, OnlyAUsersChangeWithAFindTextEnablesRegister)
{
    OpenList(FourPatterns);
    Command(ID_PATTERN_INSERT);
    Type(Pattern(), IDC_PATTERN_REPLACE, "r");
    EXPECT_FALSE(IsEnabled(Pattern(), IDOK));
    Type(Pattern(), IDC_PATTERN_FIND, "f");
    EXPECT_TRUE(IsEnabled(Pattern(), IDOK));
    Type(Pattern(), IDC_PATTERN_FIND, "");
    EXPECT_FALSE(IsEnabled(Pattern(), IDOK));

    // The regular expression switches the literal options off, keeping their marks.
    Type(Pattern(), IDC_PATTERN_FIND, "f");
    Click(Pattern(), IDC_NOT_ESCAPE);
    Click(Pattern(), IDC_REGULAR_EXPRESSION);
    EXPECT_EQ(States(Pattern()), "11001111" "1");
    EXPECT_EQ(Checks(Pattern()), "101000");
    Click(Pattern(), IDC_IGNORECASE);
    Click(Pattern(), IDOK);
    EXPECT_EQ(Rows()[1], "f|r|Ei");

    Select(2);
    Command(ID_PATTERN_EDIT);
    EXPECT_FALSE(IsEnabled(Pattern(), IDOK));
    Click(Pattern(), IDC_NOT_CASE);
    EXPECT_TRUE(IsEnabled(Pattern(), IDOK));
}

TEST_F(ListEditorTest, RegistrationWritesTheRowsByTheTabAndWritingRules)
{
    OpenList(FourPatterns);
    Select(2);
    Command(ID_PATTERN_INSERT);
    Type(Pattern(), IDC_PATTERN_FIND, "a\tb");
    Type(Pattern(), IDC_PATTERN_REPLACE, "\t");
    Click(Pattern(), IDOK);
    // Emptied for the next pattern, which lands after the one just added: after the row
    // selected, in the order entered.
    EXPECT_EQ(TextOf(::GetDlgItem(Pattern(), IDC_PATTERN_FIND)), "");
    EXPECT_FALSE(IsEnabled(Pattern(), IDOK));
    Type(Pattern(), IDC_PATTERN_FIND, "second");
    Press(::GetDlgItem(Pattern(), IDC_PATTERN_FIND), VK_RETURN);
    EXPECT_EQ(Rows(), (Strings{"plain|P|", "lit|L|CS", "rx|R|Ekm", "a\\tb|\\t|", "second||", "re|E|E"}));
    EXPECT_EQ(Selected(), 4);
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_EQ(Editor().StatusBar().GetText(), "総数 : 6件");

    // Edit mode follows the selection and writes the row in place: CS becomes SC.
    Command(ID_PATTERN_EDIT);
    EXPECT_EQ(TextOf(::GetDlgItem(Pattern(), IDC_PATTERN_FIND)), "second");
    Type(Pattern(), IDC_PATTERN_FIND, "dropped");
    Select(1);
    EXPECT_EQ(TextOf(::GetDlgItem(Pattern(), IDC_PATTERN_FIND)), "lit");
    Type(Pattern(), IDC_PATTERN_REPLACE, "L2");
    Click(Pattern(), IDOK);
    EXPECT_EQ(Rows()[1], "lit|L2|SC");
    EXPECT_EQ(Rows()[4], "second||");
    EXPECT_EQ(Rows().size(), 6u);
    EXPECT_FALSE(IsEnabled(Pattern(), IDOK));

    // Esc hides the dialog, which keeps its mode.
    Press(::GetDlgItem(Pattern(), IDC_PATTERN_FIND), VK_ESCAPE);
    EXPECT_FALSE(PatternDialog().IsWindowVisible());
    EXPECT_FALSE(PatternDialog().IsAddMode());
    EXPECT_EQ(Rows().size(), 6u);
}

TEST_F(ListEditorTest, ADoubleClickOnAnEmptyListShowsTheEmptyEditMode)
{
    OpenList("");
    NMITEMACTIVATE click{};
    click.hdr = {Editor().ListView().m_hWnd, static_cast<UINT_PTR>(FramePaneId), NM_DBLCLK};
    click.iItem = -1;
    Editor().SendMessage(WM_NOTIFY, FramePaneId, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(PatternDialog().IsWindowVisible());
    EXPECT_EQ(States(Pattern()), "00000000" "0");
    Key(VK_INSERT);
    EXPECT_EQ(States(Pattern()), "11111000" "0");
    // The focus given to the dialog goes on to the find box.
    Editor().ListView().SetFocus();
    ::SetFocus(Pattern());
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(Pattern(), IDC_PATTERN_FIND));
}

namespace {

std::string FindText(HWND dialog)
{
    return TextOf(::GetDlgItem(dialog, IDC_PATTERN_FIND));
}

// Whether the find box has the focus with its whole text selected, ready to be typed over.
bool FindBoxReady(HWND dialog)
{
    HWND find = ::GetDlgItem(dialog, IDC_PATTERN_FIND);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(find, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return ::GetFocus() == find && start == 0 && end == static_cast<DWORD>(::GetWindowTextLengthA(find));
}

}  // namespace

// Only the keyboard, as a user works: the dialog opens with the focus in the find box,
// 登録(O) by its mnemonic registers and hands the focus back there, and Esc closes it;
// the keys go on working after every registration, in both modes.
TEST_F(ListEditorTest, TheKeyboardStaysWithThePatternDialogAfterRegister)
{
    OpenList("one\tO\t\r\ntwo\tT\t\r\n");
    Select(0);
    Key(VK_INSERT);
    RunQueuedMessages();
    EXPECT_TRUE(FindBoxReady(Pattern()));
    ASSERT_TRUE(PressKeys({{'X'}, {'O', VK_MENU}}));
    RunQueuedMessages();
    EXPECT_EQ(Rows(), (Strings{"one|O|", "x||", "two|T|"}));
    EXPECT_TRUE(FindBoxReady(Pattern()));
    ASSERT_TRUE(PressKeys({{'Y'}, {VK_RETURN}}));
    RunQueuedMessages();
    EXPECT_EQ(Rows(), (Strings{"one|O|", "x||", "y||", "two|T|"}));
    ASSERT_TRUE(PressKeys({{VK_ESCAPE}}));
    RunQueuedMessages();
    EXPECT_FALSE(PatternDialog().IsWindowVisible());

    // Edit mode: the selected row's text is there to be typed over, and stays so.
    Select(1);
    Key(VK_RETURN);
    RunQueuedMessages();
    EXPECT_EQ(FindText(Pattern()), "x");
    EXPECT_TRUE(FindBoxReady(Pattern()));
    ASSERT_TRUE(PressKeys({{'Z'}, {'O', VK_MENU}}));
    RunQueuedMessages();
    EXPECT_EQ(Rows()[1], "z||");
    EXPECT_TRUE(FindBoxReady(Pattern()));
    ASSERT_TRUE(PressKeys({{'W'}}));
    RunQueuedMessages();
    EXPECT_EQ(FindText(Pattern()), "w");
    ASSERT_TRUE(PressKeys({{VK_ESCAPE}}));
    RunQueuedMessages();
    EXPECT_FALSE(PatternDialog().IsWindowVisible());

    // Esc closes the dialog also when the control that had the focus was disabled.
    Key(VK_INSERT);
    RunQueuedMessages();
    ::SetFocus(::GetDlgItem(Pattern(), IDCANCEL));
    ::EnableWindow(::GetDlgItem(Pattern(), IDCANCEL), FALSE);
    ASSERT_TRUE(PressKeys({{VK_ESCAPE}}));
    RunQueuedMessages();
    EXPECT_FALSE(PatternDialog().IsWindowVisible());
    ::EnableWindow(::GetDlgItem(Pattern(), IDCANCEL), TRUE);
}

// What a line of the list cannot hold is refused where it is entered, with its reason, and
// the texts stay as typed: a TAB in a pattern without escape sequences, an expression the
// library does not take. The title marks the list as changed until it is saved.
TEST_F(ListEditorTest, WhatAListLineCannotHoldIsRefusedWhereItIsEntered)
{
    OpenList(FourPatterns);
    EXPECT_EQ(TextOf(EditorWindow()), "置換えリスト編集");
    Command(ID_PATTERN_INSERT);
    Type(Pattern(), IDC_PATTERN_FIND, "a\tb");
    Click(Pattern(), IDC_NOT_ESCAPE);
    AnswerBox(IDOK);
    Click(Pattern(), IDOK);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, LoadResourceString(IDS_TAB_NOT_STORED));
    EXPECT_EQ(FindText(Pattern()), "a\tb");

    Click(Pattern(), IDC_NOT_ESCAPE);
    Type(Pattern(), IDC_PATTERN_FIND, "(abc");
    Click(Pattern(), IDC_REGULAR_EXPRESSION);
    AnswerBox(IDOK);
    Click(Pattern(), IDOK);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].Text, LoadResourceString(IDS_PATTERN_REGEX_REJECTED) + "\n\n" +
                                  LoadResourceString(IDS_EXPRESSION_LABEL) + "(abc\n" +
                                  LoadResourceString(IDS_LIBRARY_MESSAGE_LABEL) + "end pattern with unmatched parenthesis");
    EXPECT_EQ(FindText(Pattern()), "(abc");
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(Pattern(), IDC_PATTERN_FIND));
    EXPECT_EQ(Rows().size(), 4u);
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_EQ(TextOf(EditorWindow()), "置換えリスト編集");

    Type(Pattern(), IDC_PATTERN_FIND, "(abc)");
    Click(Pattern(), IDOK);
    EXPECT_EQ(Rows()[1], "(abc)||E");
    EXPECT_EQ(TextOf(EditorWindow()), "*置換えリスト編集");
    Command(ID_LIST_SAVE);
    EXPECT_EQ(TextOf(EditorWindow()), "置換えリスト編集");
}
