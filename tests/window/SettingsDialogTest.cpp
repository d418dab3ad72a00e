#include "app/SettingsDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/SettingsStore.h"
#include "editor/ListEditClosed.h"
#include "editor/ListEditWnd.h"
#include "framework/Controls.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestFiles.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

constexpr char DefaultExtensions[] = "*.bat;*.cgi;*.css;*.htm;*.html;*.js;*.log;*.pl;*.shtml;*.txt";

// The controls as the user sees them, in tab order: the checks as 0/1, the texts as they are.
std::string Shown(HWND dialog)
{
    const auto check = [&](int id) { return std::string(IsChecked(dialog, id) ? "1" : "0"); };
    const auto text = [&](int id) {
        return std::string(1, '[').append(TextOf(::GetDlgItem(dialog, id))).append("]");
    };
    return check(IDC_SETTINGS_REMEMBER) + check(IDC_SETTINGS_SUBFOLDERS) + text(IDC_SETTINGS_EXTENSIONS) +
           text(IDC_SETTINGS_EDITOR) + check(IDC_SETTINGS_SHOW_LOG) + text(IDC_SETTINGS_SOUND) +
           check(IDC_SETTINGS_BREGEXP) + check(IDC_SETTINGS_PRIORITY) + check(IDC_SETTINGS_SHIFT_JIS_ONLY);
}

struct ComboState {
    std::vector<std::string> Items;
    int Selected;
    std::string Text;
};

ComboState ComboOf(HWND dialog)
{
    const CComboBox combo(::GetDlgItem(dialog, IDC_SETTINGS_REPLACE_LIST));
    return {ComboEntries(dialog, IDC_SETTINGS_REPLACE_LIST), combo.GetCurSel(), TextOf(combo.m_hWnd)};
}

// The lists of a folder in the file system's order, as the dialog offers them.
std::vector<std::string> Lists(const std::string& folder, const std::string& prefix)
{
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder, entries);
    std::vector<std::string> lists;
    for (const platform::FolderEntry& entry : entries)
        if (entry.Name.ends_with(".lst") || entry.Name.ends_with(".LST"))
            lists.push_back(prefix + entry.Name);
    return lists;
}

int IndexOf(const std::vector<std::string>& items, const std::string& item)
{
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

// A settings dialog on a settings file in a fresh folder, with a fresh current directory
// and the main dialog of MainDialogFixture as the application's main window when needed.
class SettingsDialogTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        before_ = platform::CurrentDirectory();
        ASSERT_TRUE(platform::ChangeCurrentDirectory(current_.Path()));
    }
    void TearDown() override
    {
        if (settings_ && settings_->m_hWnd)
            settings_->DestroyWindow();
        settings_.reset();
        application_.SetMainWindow(nullptr);
        platform::ChangeCurrentDirectory(before_);
        for (const char* name : {"REPLACE.lst", "second.lst"})
            platform::RemoveFile(ProgramFile(name));
        MainDialogFixture::TearDown();
    }

    void OpenSettings()
    {
        settings_ = std::make_unique<CSettingsDialog>(Settings(), nullptr);
        ASSERT_TRUE(settings_->Create());
    }
    HWND SettingsWindow() const { return settings_->m_hWnd; }

    CWinApp application_;
    TempFolder current_;
    std::unique_ptr<CSettingsDialog> settings_;

private:
    std::string before_;
};

TEST_F(SettingsDialogTest, WithoutASettingsFileEveryFieldShowsItsDefault)
{
    OpenSettings();
    EXPECT_EQ(Shown(SettingsWindow()), std::string("01[") + DefaultExtensions + "][notepad.exe]1[]000");
    EXPECT_EQ(CEdit(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_EDITOR)).GetLimitText(), 255);
    EXPECT_EQ(CEdit(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_SOUND)).GetLimitText(), 255);
    EXPECT_GT(CEdit(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_EXTENSIONS)).GetLimitText(), 255);
    // No "replace.lst" anywhere and no list in the current directory: the combo box is empty.
    const ComboState combo = ComboOf(SettingsWindow());
    EXPECT_TRUE(combo.Items.empty());
    EXPECT_EQ(combo.Text, "");
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(SettingsWindow(), IDC_SETTINGS_REMEMBER));
    EXPECT_FALSE(FileExists(IniPath()));

    // 編集 then opens the list the settings name, a new one, not the program's folder.
    Click(SettingsWindow(), IDC_SETTINGS_EDIT_LIST);
    auto* editor = dynamic_cast<CListEditWnd*>(CWnd::FromHandlePermanent(::FindWindowA("TarveloxFrame", nullptr)));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->ListPath(), ProgramFile("replace.lst"));
    editor->SendMessage(WM_CLOSE);
}

TEST_F(SettingsDialogTest, TheKeysOfTheFileFillTheFields)
{
    WriteBytes(IniPath(), "[SETTING]\r\nMemLast=1\r\nSubEntry=0\r\nAbleExt=*.c;*.h\r\nEditor=\r\nShowLog=0\r\n"
                          "PlayWave=C:\\done.wav\r\n[PROCESS]\r\nBregexp=1\r\nPriority=1\r\nShiftJisOnly=1\r\n");
    OpenSettings();
    EXPECT_EQ(Shown(SettingsWindow()), "10[*.c;*.h][]0[C:\\done.wav]111");
}

TEST_F(SettingsDialogTest, TheComboOffersTheListsBesideTheConfiguredOne)
{
    // The configured name differs from the file in letter case only: it is still selected.
    WriteBytes(ProgramFile("REPLACE.lst"), "");
    WriteBytes(ProgramFile("second.lst"), "");
    WriteBytes(current_ / "here.lst", "");
    WriteSetting("SETTING", "ReplaceList", ProgramFile("replace.LST"));
    OpenSettings();
    ComboState combo = ComboOf(SettingsWindow());
    const std::vector<std::string> beside = Lists(ProgramFile(""), ProgramFile(""));
    EXPECT_EQ(combo.Items, beside);
    EXPECT_EQ(combo.Selected, IndexOf(beside, ProgramFile("REPLACE.lst")));
    EXPECT_EQ(combo.Text, ProgramFile("REPLACE.lst"));

    // A list that is nowhere: the lists where lists are kept, beside the program, the path
    // as text.
    WriteBytes(current_ / "there.lst", "");
    settings_->FillListCombo(current_ / "gone\\missing.lst");
    combo = ComboOf(SettingsWindow());
    EXPECT_EQ(combo.Items, beside);
    EXPECT_EQ(combo.Selected, CB_ERR);
    EXPECT_EQ(combo.Text, current_ / "gone\\missing.lst");

    // An editor closed on a list it never saved sends its placeholder.
    const std::string placeholder = "new file";
    SendMessageA(SettingsWindow(), WM_LISTEDITCLOSED, reinterpret_cast<WPARAM>(placeholder.c_str()), 0);
    combo = ComboOf(SettingsWindow());
    EXPECT_EQ(combo.Items, beside);
    EXPECT_EQ(combo.Text, "new file");

    // Nothing matches "*.lst": no items and no text, not even the path.
    for (const char* name : {"REPLACE.lst", "second.lst"})
        platform::RemoveFile(ProgramFile(name));
    settings_->FillListCombo(current_ / "missing.lst");
    combo = ComboOf(SettingsWindow());
    EXPECT_TRUE(combo.Items.empty());
    EXPECT_EQ(combo.Text, "");
}

TEST_F(SettingsDialogTest, OkWritesAllNineKeysAndTellsNobody)
{
    const std::string list = folder_ / "mine.lst";
    WriteBytes(list, "abc\txyz\t\r\nd\te\tEi\r\n");
    Open();
    application_.SetMainWindow(&Window());
    OpenSettings();
    Click(SettingsWindow(), IDC_SETTINGS_PRIORITY);
    ReplaceText(SettingsWindow(), IDC_SETTINGS_REPLACE_LIST, list);
    Click(SettingsWindow(), IDOK);

    EXPECT_FALSE(::IsWindow(settings_->m_hWnd));
    EXPECT_EQ(ReadBytes(IniPath()), std::string("[SETTING]\r\nMemLast=0\r\nSubEntry=1\r\nShowLog=1\r\nAbleExt=") +
                                        DefaultExtensions + "\r\nEditor=notepad.exe\r\nPlayWave=\r\nReplaceList=" +
                                        list + "\r\n[PROCESS]\r\nBregexp=0\r\nPriority=1\r\nShiftJisOnly=0\r\n");
    // The dialog's end is its whole answer: the main window reloads when its own dialog
    // ends with OK (below), and nothing reached it here.
    EXPECT_TRUE(ComboEntries(Dialog(), IDC_FIND_TEXT).empty());
}

// The configured list is missing for a moment and the current folder holds no list: the
// box comes up empty, and OK keeps the configured list rather than forget it.
TEST_F(SettingsDialogTest, OkWithAnEmptyListBoxKeepsTheConfiguredList)
{
    const std::string list = folder_ / "away.lst";
    WriteSetting("SETTING", "ReplaceList", list);
    OpenSettings();
    ASSERT_EQ(TextOf(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_REPLACE_LIST)), "");
    Click(SettingsWindow(), IDOK);
    EXPECT_NE(ReadBytes(IniPath()).find("\r\nReplaceList=" + list + "\r\n"), std::string::npos) << ReadBytes(IniPath());
}

// The configured list is still to be made while another list lies beside it (a run's
// history): the box shows the configured name, and OK takes the other changes with it.
TEST_F(SettingsDialogTest, OkTakesTheConfiguredListAsItIsWhileItIsStillToBeMade)
{
    const std::string list = ProgramFile("replace.lst");
    WriteSetting("SETTING", "ReplaceList", list);
    WriteBytes(ProgramFile("$History.lst"), "a\tb\t\r\n");
    OpenSettings();
    platform::RemoveFile(ProgramFile("$History.lst"));
    ASSERT_EQ(TextOf(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_REPLACE_LIST)), list);
    std::vector<MessageBoxText> boxes;
    ActivationWatcher watcher([&](HWND window) {
        if (IsMessageBox(window)) {
            boxes.push_back(ReadMessageBox(window));
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    });
    Click(SettingsWindow(), IDC_SETTINGS_SHOW_LOG);
    Click(SettingsWindow(), IDOK);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(::IsWindow(SettingsWindow()));
    EXPECT_NE(ReadBytes(IniPath()).find("\r\nReplaceList=" + list + "\r\n"), std::string::npos) << ReadBytes(IniPath());
}

// A list that is not there, typed into the box and confirmed with Enter, is refused by
// name: nothing is written and the dialog stays for the user to choose another.
TEST_F(SettingsDialogTest, OkRefusesAListThatIsNotThere)
{
    const std::string missing = folder_ / "missing.lst";
    OpenSettings();
    ::ShowWindow(SettingsWindow(), SW_SHOW);
    ::SetForegroundWindow(SettingsWindow());
    settings_->GotoDlgCtrl(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_REPLACE_LIST));
    PutTextOnClipboard(missing);
    std::vector<MessageBoxText> boxes;
    ActivationWatcher watcher([&](HWND window) {
        if (IsMessageBox(window)) {
            boxes.push_back(ReadMessageBox(window));
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    });
    ASSERT_TRUE(PressKeys({{'V', VK_CONTROL}, {VK_RETURN}}));
    RunQueuedMessages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, LoadResourceString(IDS_LIST_NOT_FOUND_HERE) + missing);
    EXPECT_TRUE(::IsWindow(SettingsWindow()));
    EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(SettingsDialogTest, TheMainWindowReloadsItsListWhenItsSettingsDialogEndsWithOk)
{
    const std::string list = folder_ / "mine.lst";
    WriteBytes(list, "abc\txyz\t\r\nd\te\tEi\r\n");
    Open();
    for (const int end : {IDCANCEL, IDOK}) {
        ActivationWatcher watcher([&](HWND window) {
            if (!HasCaption(window, "各種設定"))
                return;
            ReplaceText(window, IDC_SETTINGS_REPLACE_LIST, list);
            ::PostMessageA(window, WM_COMMAND, end, 0);
        });
        Click(Dialog(), IDC_SETTINGS);
        if (end == IDCANCEL) {
            EXPECT_TRUE(ComboEntries(Dialog(), IDC_FIND_TEXT).empty());
            EXPECT_FALSE(IsEnabled(Dialog(), IDC_ALL_AUTO));
        }
    }
    EXPECT_EQ(ComboEntries(Dialog(), IDC_FIND_TEXT), (std::vector<std::string>{"abc", "d"}));
    EXPECT_TRUE(IsEnabled(Dialog(), IDC_ALL_AUTO));
}

TEST_F(SettingsDialogTest, CancelWritesNothingAndTellsNobody)
{
    const std::string list = folder_ / "mine.lst";
    WriteBytes(list, "abc\txyz\t\r\n");
    Open();
    application_.SetMainWindow(&Window());
    OpenSettings();
    Click(SettingsWindow(), IDC_SETTINGS_REMEMBER);
    ReplaceText(SettingsWindow(), IDC_SETTINGS_REPLACE_LIST, list);
    Click(SettingsWindow(), IDCANCEL);

    EXPECT_FALSE(::IsWindow(settings_->m_hWnd));
    EXPECT_FALSE(FileExists(IniPath()));
    EXPECT_TRUE(ComboEntries(Dialog(), IDC_FIND_TEXT).empty());
}

// The user's edits, by mouse and keyboard, then 参照(T) by its key and a file pasted into
// the file dialog: the chosen file fills its field and every other edit stays as the user
// left it, a ticked box, an unticked one and an added extension alike.
TEST_F(SettingsDialogTest, ABrowseChoiceKeepsTheOtherEdits)
{
    WriteSetting("SETTING", "MemLast", "1");
    const std::string editor = folder_ / "editor.exe";
    WriteBytes(editor, "MZ");
    OpenSettings();
    ::ShowWindow(SettingsWindow(), SW_SHOW);
    ::SetForegroundWindow(SettingsWindow());
    RunQueuedMessages();
    ASSERT_TRUE(ClickWithMouse(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_REMEMBER)));
    ASSERT_TRUE(ClickWithMouse(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_BREGEXP)));
    RunQueuedMessages();
    settings_->GotoDlgCtrl(::GetDlgItem(SettingsWindow(), IDC_SETTINGS_EXTENSIONS));
    PutTextOnClipboard(std::string(DefaultExtensions) + ";*.md");
    ASSERT_TRUE(PressKeys({{'V', VK_CONTROL}}));
    RunQueuedMessages();
    const std::string edited = std::string("01[") + DefaultExtensions + ";*.md][notepad.exe]1[]100";
    ASSERT_EQ(Shown(SettingsWindow()), edited);

    // Cancelled first, then chosen.
    for (const bool choose : {false, true}) {
        bool shown = false;
        ActivationWatcher watcher([&](HWND window) {
            if (shown || ::GetParent(window) != SettingsWindow())
                return;
            shown = true;
            OnceSettled(window, [&, window] {
                if (!choose) {
                    PressKeys({{VK_ESCAPE}});
                    return;
                }
                PutTextOnClipboard(editor);
                PressKeys({{'V', VK_CONTROL}, {VK_RETURN}});
            });
        });
        ASSERT_TRUE(PressKeys({{'T', VK_MENU}}));
        RunQueuedMessages();
        EXPECT_TRUE(shown);
        EXPECT_EQ(Shown(SettingsWindow()), choose ? std::string("01[") + DefaultExtensions + ";*.md][" + editor +
                                                        "]1[]100"
                                                  : edited);
    }
}

TEST_F(SettingsDialogTest, EachBrowseButtonAsksForItsOwnFileType)
{
    using namespace std::string_literals;
    for (const char* name : {"tool.exe", "tool.wav"})
        WriteBytes(folder_ / name, "x");
    // Both dialogs open in the folder of the field's file.
    WriteSetting("SETTING", "Editor", folder_ / "none.exe");
    WriteSetting("SETTING", "PlayWave", folder_ / "none.wav");
    const struct {
        int Button;
        int Field;
        std::string Filter;
        std::string DefaultExtension;
        std::string FileType;
        std::string Chosen;
    } cases[] = {
        {IDC_SETTINGS_BROWSE_EDITOR, IDC_SETTINGS_EDITOR, "実行ファイル (*.exe)\0*.exe\0\0"s, "exe", "実行ファイル (*.exe)",
         folder_ / "tool.exe"},
        {IDC_SETTINGS_BROWSE_SOUND, IDC_SETTINGS_SOUND, "WAVEファイル (*.wav)\0*.wav\0\0"s, "wav", "WAVEファイル (*.wav)",
         folder_ / "tool.wav"},
    };
    OpenSettings();
    for (const auto& test : cases) {
        FileDialogWatcher requests;
        ActivationWatcher watcher([&](HWND window) {
            if (::GetParent(window) != SettingsWindow())
                return;
            for (const int nameBox : {0x47C, 0x480})
                ::SetDlgItemTextA(window, nameBox, test.Chosen.c_str());
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        });
        Click(SettingsWindow(), test.Button);
        ASSERT_EQ(requests.Requests.size(), 1u);
        EXPECT_EQ(requests.Requests[0].Filter, test.Filter);
        EXPECT_EQ(requests.Requests[0].DefaultExtension, test.DefaultExtension);
        EXPECT_EQ(requests.Requests[0].FileTypes, std::vector<std::string>{test.FileType});
        EXPECT_EQ(TextOf(::GetDlgItem(SettingsWindow(), test.Field)), test.Chosen);
    }
}

TEST_F(SettingsDialogTest, TheMainWindowsButtonOpensItAndTheFileListTakesItsRules)
{
    // The command line allows "*.txt" and walks subfolders; the settings file says otherwise.
    WriteSetting("SETTING", "SubEntry", "0");
    WriteSetting("SETTING", "AbleExt", "*.zz");
    MakeFolder(folder_ / "sub");
    for (const char* name : {"a.zz", "b.txt", "sub\\c.zz"})
        WriteBytes(folder_ / name, "");
    Open({"-S1", "-E*.txt"});
    application_.SetMainWindow(&Window());
    bool seen = false;
    ActivationWatcher watcher([&](HWND window) {
        if (HasCaption(window, "各種設定") && !seen) {
            seen = true;
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    });
    Click(Dialog(), IDC_SETTINGS);
    EXPECT_TRUE(seen);
    EXPECT_NE(ReadBytes(IniPath()).find("[PROCESS]\r\nBregexp=0\r\nPriority=0\r\nShiftJisOnly=0\r\n"), std::string::npos);

    Window().Files().WalkFolder(folder_.Path());
    Window().Files().EndBatch();
    std::vector<std::string> listed;
    const CListBox files(::GetDlgItem(Dialog(), IDC_FILE_LIST));
    for (int i = 0; i < files.GetCount(); ++i)
        listed.push_back(files.GetText(i));
    EXPECT_EQ(listed, std::vector<std::string>{folder_ / "a.zz"});
}

TEST_F(SettingsDialogTest, ItsEditButtonOpensTheEditorOnTheComboTextAndRefillsTheComboAfterwards)
{
    const std::string list = folder_ / "mine.lst";
    WriteBytes(list, "a\tb\t\r\n");
    WriteBytes(ProgramFile("second.lst"), "");
    OpenSettings();
    ASSERT_EQ(ComboOf(SettingsWindow()).Items, std::vector<std::string>{ProgramFile("second.lst")});
    ReplaceText(SettingsWindow(), IDC_SETTINGS_REPLACE_LIST, list);
    Click(SettingsWindow(), IDC_SETTINGS_EDIT_LIST);

    auto* editor = dynamic_cast<CListEditWnd*>(CWnd::FromHandlePermanent(::FindWindowA("TarveloxFrame", nullptr)));
    ASSERT_NE(editor, nullptr);
    HWND editorWindow = editor->m_hWnd;
    EXPECT_EQ(editor->ListPath(), list);
    EXPECT_EQ(::GetWindow(editorWindow, GW_OWNER), SettingsWindow());
    EXPECT_FALSE(::IsWindowEnabled(SettingsWindow()));

    editor->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(editorWindow));
    EXPECT_TRUE(::IsWindowEnabled(SettingsWindow()));
    // The combo now offers the lists of the edited list's folder, with that list chosen.
    const ComboState combo = ComboOf(SettingsWindow());
    EXPECT_EQ(combo.Items, Lists(folder_.Path(), folder_.Path() + "\\"));
    ASSERT_NE(combo.Selected, CB_ERR);
    EXPECT_EQ(combo.Items.at(combo.Selected), list);
}

}  // namespace
