#include <gtest/gtest.h>

#include "editor/ListEditWnd.h"
#include "resources/ResourceIds.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

CListEditWnd* OpenEditor()
{
    return dynamic_cast<CListEditWnd*>(CWnd::FromHandlePermanent(::FindWindowA("TarveloxFrame", nullptr)));
}

bool HasClass(HWND window, const std::string& name)
{
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    return name == className;
}

// Keys as the keyboard gives them, to whichever window has the focus when they come.
void Press(std::initializer_list<WORD> keys, WORD modifier = 0)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (const WORD key : keys) {
        if (modifier)
            add(modifier, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (modifier)
            add(modifier, KEYEVENTF_KEYUP);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

TEST_F(MainDialogFixture, TheEditorOpensOverTheMainWindowWhichReloadsItsListsWhenItCloses)
{
    WriteBytes(ProgramFile("replace.lst"), "old\tO\t\r\n");
    Open();
    Click(Dialog(), IDC_LIST_EDIT);
    CListEditWnd* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    HWND editorWindow = editor->m_hWnd;
    EXPECT_FALSE(::IsWindowEnabled(Dialog()));
    EXPECT_EQ(::GetWindow(editorWindow, GW_OWNER), Dialog());
    EXPECT_EQ(editor->ListPath(), ProgramFile("replace.lst"));
    EXPECT_TRUE(editor->IsWindowVisible());

    editor->SendMessage(WM_COMMAND, ID_PATTERN_INSERT);
    HWND pattern = editor->PatternDialog().m_hWnd;
    ::SetDlgItemTextA(pattern, IDC_PATTERN_FIND, "new");
    Click(pattern, IDC_NOT_CASE);
    Click(pattern, IDOK);
    editor->SendMessage(WM_COMMAND, ID_LIST_SAVE);
    editor->SendMessage(WM_CLOSE);

    EXPECT_FALSE(::IsWindow(editorWindow));
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));
    // The new pattern went after the selected row.
    EXPECT_EQ(ReadBytes(ProgramFile("replace.lst")), "old\tO\t\r\nnew\t\tC\r\n");
    EXPECT_EQ(ComboEntries(Dialog(), IDC_FIND_TEXT), (std::vector<std::string>{"old", "new"}));
    EXPECT_EQ(ComboEntries(Dialog(), IDC_REPLACE_TEXT), (std::vector<std::string>{"O", ""}));
    EXPECT_TRUE(IsEnabled(Dialog(), IDC_ALL_AUTO));
}

// The program as a user drives it: the main dialog modal, the editor's keys and the pattern
// dialog's Tab, Enter and Esc through the program's own loop, then a full-automatic run
// with the list just saved.
TEST_F(MainDialogFixture, AListMadeInTheEditorDrivesAFullAutomaticRun)
{
    WriteBytes(folder_ / "text.txt", "one two one");
    CMainDialog dialog(Settings(), {"tarvelox.exe"});
    int mainActivations = 0;
    bool patternShown = false;
    std::vector<std::string> reloaded;
    std::string log;
    ActivationWatcher watcher([&](HWND window) {
        if (window == dialog.m_hWnd) {
            switch (mainActivations++) {
            case 0:
                ::PostMessageA(dialog.GetDlgItem(IDC_LIST_EDIT), BM_CLICK, 0, 0);
                break;
            case 1:
                // Activated before it is told to reload: the run comes after.
                AddListEntries(window, IDC_FILE_LIST, {folder_ / "text.txt"});
                ::PostMessageA(dialog.GetDlgItem(IDC_ALL_AUTO), BM_CLICK, 0, 0);
                ::PostMessageA(dialog.GetDlgItem(IDC_START), BM_CLICK, 0, 0);
                break;
            default:
                break;
            }
        } else if (HasClass(window, "TarveloxFrame") && !patternShown) {
            Press({VK_INSERT});
        } else if (CListEditWnd* editor = OpenEditor(); editor && window == editor->PatternDialog().m_hWnd &&
                                                         !patternShown) {
            // Typed into the find box, Tab to the replace box, Enter registers, Esc hides;
            // then the editor saves and closes.
            patternShown = true;
            Press({'O', 'N', 'E', VK_TAB, '1', VK_RETURN, VK_ESCAPE});
            Press({'S'}, VK_CONTROL);
            Press({VK_F4}, VK_MENU);
        } else if (HasCaption(window, "置換完了")) {
            log = TextOf(::GetDlgItem(window, IDC_RESULT_LOG_TEXT));
            reloaded = ComboEntries(dialog.m_hWnd, IDC_FIND_TEXT);
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            ::PostMessageA(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        }
    });
    dialog.DoModal();

    EXPECT_TRUE(patternShown);
    EXPECT_EQ(ReadBytes(ProgramFile("replace.lst")), "one\t1\t\r\n");
    EXPECT_EQ(reloaded, std::vector<std::string>{"one"});
    EXPECT_NE(log.find("text.txt"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder_ / "text.txt"), "1 two 1");
}
