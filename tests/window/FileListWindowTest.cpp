// The main dialog's file list under Wine: drops, the context menu, the keys, the add dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <memory>

#include "app/MainDialog.h"
#include "app/SettingsStore.h"
#include "framework/Controls.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestFiles.h"
#include "tests/window/WindowDriver.h"

namespace {

using Paths = std::vector<std::string>;
using Selection = std::vector<int>;

// The main dialog with the keys it sees and the programs it would start kept here.
class FileListDialog : public CMainDialog {
public:
    using CMainDialog::CMainDialog;

    BatchKeys keys;
    std::vector<ProcessStart> launched;
    Paths opened;

protected:
    BatchKeys HeldKeys() const override { return keys; }
    void LaunchProgram(const ProcessStart& start) override { launched.push_back(start); }
    void OpenWithAssociatedProgram(const std::string& path) override { opened.push_back(path); }
};

// Calls `shown` with each popup menu about to be shown on this thread; it may end the menu.
class MenuWatcher {
public:
    explicit MenuWatcher(std::function<void(HMENU)> shown)
        : shown_(std::move(shown)), hook_(::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()))
    {
        current = this;
    }
    ~MenuWatcher()
    {
        ::UnhookWindowsHookEx(hook_);
        current = nullptr;
    }
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->message == WM_INITMENUPOPUP)
            current->shown_(reinterpret_cast<HMENU>(call->wParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MenuWatcher* current = nullptr;
    std::function<void(HMENU)> shown_;
    HHOOK hook_;
};

// A drop as the shell hands it to a window.
HDROP MakeDrop(const Paths& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class FileListWindowTest : public testing::Test {
protected:
    void SetUp() override { settings_.SetFilePath(folder_ / "Tarvelox.ini"); }
    void TearDown() override
    {
        if (dialog_ && dialog_->m_hWnd)
            dialog_->DestroyWindow();
    }

    void Open(Paths switches = {})
    {
        switches.insert(switches.begin(), "tarvelox.exe");
        dialog_ = std::make_unique<FileListDialog>(settings_, switches);
        ASSERT_TRUE(dialog_->Create());
    }
    HWND Dialog() const { return dialog_->m_hWnd; }
    HWND List() const { return ::GetDlgItem(Dialog(), IDC_FILE_LIST); }
    std::string Make(const std::string& name)
    {
        WriteBytes(folder_ / name, "x");
        return folder_ / name;
    }

    // Drops the paths, reading and closing any message box the drop brings up.
    std::vector<MessageBoxText> Drop(const Paths& paths)
    {
        std::vector<MessageBoxText> boxes;
        ActivationWatcher watcher([&](HWND window) {
            if (IsMessageBox(window)) {
                boxes.push_back(ReadMessageBox(window));
                ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
        });
        ::SendMessageA(Dialog(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        return boxes;
    }
    Paths Entries() const
    {
        const CListBox list(List());
        Paths entries;
        for (int i = 0; i < list.GetCount(); ++i)
            entries.push_back(list.GetText(i));
        return entries;
    }
    Selection Selected() const
    {
        const CListBox list(List());
        Selection selected;
        for (int i = 0; i < list.GetCount(); ++i)
            if (list.GetSel(i))
                selected.push_back(i);
        return selected;
    }
    void Select(const Selection& indexes)
    {
        const CListBox list(List());
        list.SendMessage(LB_SETSEL, FALSE, -1);
        for (int i : indexes)
            list.SetSel(i);
    }
    std::string Count() const { return TextOf(::GetDlgItem(Dialog(), IDC_FILE_COUNT)); }

    // A key pressed while the list has the focus, with Ctrl held or not.
    void PressKey(WPARAM key, bool ctrl = false)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        ::SetKeyboardState(state);
        MSG message = {List(), WM_KEYDOWN, key, 0, 0, {}};
        dialog_->PreTranslateMessage(message);
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
    }

    TempFolder folder_;
    SettingsStore settings_;
    std::unique_ptr<FileListDialog> dialog_;
};

TEST_F(FileListWindowTest, DroppedFoldersAndFilesPassTheChecks)
{
    MakeFolder(folder_ / "d");
    MakeFolder(folder_ / "d" + "\\sub");
    const std::string a = Make("d\\a.TXT"), b = Make("d\\b.dat"), c = Make("d\\sub\\c.htm");
    const std::string list = Make("names.lst");
    WriteBytes(list, b + "\r\nmissing.txt\r\n" + folder_ / "d" + "\\sub\r\n");
    Open({"-S0"});
    EXPECT_EQ(Count(), "0");

    EXPECT_TRUE(Drop({folder_ / "d"}).empty());
    EXPECT_EQ(Entries(), Paths{a});
    EXPECT_EQ(Count(), "1");

    // A file already listed, in another letter case, is refused once at the end: for
    // information, nothing went wrong.
    const std::vector<MessageBoxText> boxes = Drop({b, folder_ / "D\\A.txt"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Tarvelox");
    EXPECT_EQ(boxes[0].Icon, IDI_INFORMATION);
    EXPECT_EQ(boxes[0].Text, "以下のファイルは既にリストに登録されています。\n\n" + folder_ / "D\\A.txt\n");
    EXPECT_EQ(Entries(), Paths{a});
    EXPECT_EQ(Selected(), Selection{0});

    dialog_->keys = {.Shift = true};
    Drop({b});
    EXPECT_EQ(Entries(), (Paths{a, b}));
    // Ctrl reads the first item as a file-name list: folders walked, missing names skipped.
    dialog_->keys = {.Shift = true, .Ctrl = true};
    Drop({list, folder_ / "d"});
    EXPECT_EQ(Entries(), (Paths{a, b, c}));
    EXPECT_EQ(Selected(), Selection{2});
    EXPECT_EQ(Count(), "3");
    EXPECT_EQ(::GetFocus(), List());
}

TEST_F(FileListWindowTest, ContextMenuGraysWhatDoesNotApplyAndPostsUserMessage)
{
    Open();
    const struct {
        int entries;
        Selection selected;
        bool opens;
        bool removes;
    } cases[] = {
        {3, {}, false, false}, {3, {1}, true, true}, {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true, true},
        {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected.size());
        CListBox(List()).ResetContent();
        for (int i = 0; i < c.entries; ++i)
            CListBox(List()).AddString("C:\\" + std::to_string(i) + ".txt");
        Select(c.selected);
        std::vector<UINT> states;
        UINT defaultItem = 0;
        MenuWatcher watcher([&](HMENU menu) {
            for (UINT id : {ID_FILE_OPEN_EDITOR, ID_FILE_OPEN_ASSOCIATED, ID_FILE_INVERT_SELECTION, ID_FILE_SELECT_ALL,
                            ID_FILE_REMOVE})
                states.push_back(::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED);
            defaultItem = ::GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED);
            ::EndMenu();
        });
        ::SendMessageA(Dialog(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), MAKELPARAM(10, 10));
        const UINT gray = MF_GRAYED;
        EXPECT_EQ(states, (std::vector<UINT>{c.opens ? 0 : gray, c.opens ? 0 : gray, 0, 0, c.removes ? 0 : gray}));
        EXPECT_EQ(defaultItem, static_cast<UINT>(ID_FILE_OPEN_EDITOR));
        MSG posted;
        EXPECT_TRUE(::PeekMessageA(&posted, Dialog(), WM_USER, WM_USER, PM_REMOVE));
    }

    // Over an empty list, or elsewhere, there is no menu.
    int menus = 0;
    MenuWatcher watcher([&](HMENU) {
        ++menus;
        ::EndMenu();
    });
    ::SendMessageA(Dialog(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Dialog()), MAKELPARAM(10, 10));
    CListBox(List()).ResetContent();
    ::SendMessageA(Dialog(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), MAKELPARAM(10, 10));
    EXPECT_EQ(menus, 0);
}

// A right click, as the mouse gives it, on an entry that is not selected makes it the
// selection the menu acts on; on a selected one the selection stays.
TEST_F(FileListWindowTest, ARightClickSelectsTheEntryUnderThePointer)
{
    Open();
    AddListEntries(Dialog(), IDC_FILE_LIST, {"C:\\0.txt", "C:\\1.txt", "C:\\2.txt"});
    ::ShowWindow(Dialog(), SW_SHOW);
    ::SetForegroundWindow(Dialog());
    const auto rightClickOn = [&](int index) {
        RECT item;
        ::SendMessageA(List(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ::ClientToScreen(List(), &at);
        ::SetCursorPos(at.x, at.y);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        int menus = 0;
        MenuWatcher watcher([&](HMENU) {
            ++menus;
            ::EndMenu();
        });
        EXPECT_EQ(::SendInput(2, clicks, sizeof(INPUT)), 2u);
        RunQueuedMessages();
        EXPECT_EQ(menus, 1);
    };
    Select({0});
    rightClickOn(2);
    EXPECT_EQ(Selected(), Selection{2});
    Select({0, 2});
    rightClickOn(2);
    EXPECT_EQ(Selected(), (Selection{0, 2}));
}

TEST_F(FileListWindowTest, KeysOfTheList)
{
    settings_.WriteSettingString("SETTING", "Editor", "C:\\my tools\\edit.exe");
    Open();
    Paths all;
    for (int i = 0; i < 12; ++i)
        all.push_back("C:\\d\\" + std::to_string(i) + ".txt");
    AddListEntries(Dialog(), IDC_FILE_LIST, all);

    Select({2, 3});
    PressKey(VK_DELETE);
    EXPECT_EQ(Entries().size(), 10u);
    EXPECT_EQ(Entries()[2], all[4]);
    EXPECT_EQ(Selected(), Selection{2});
    EXPECT_EQ(Count(), "10");

    PressKey('A');
    EXPECT_EQ(Selected(), Selection{2});
    PressKey('T', true);
    EXPECT_EQ(Selected(), (Selection{0, 1, 3, 4, 5, 6, 7, 8, 9}));
    PressKey('A', true);
    EXPECT_EQ(Selected().size(), 10u);

    Select({0, 9});
    PressKey('O', true);
    PressKey('R', true);
    ::SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(List()));
    ASSERT_EQ(dialog_->launched.size(), 4u);
    EXPECT_EQ(dialog_->launched[0].CommandLine, "\"C:\\my tools\\edit.exe\" \"C:\\d\\0.txt\"");
    EXPECT_EQ(dialog_->launched[0].WorkingFolder, "C:\\d");
    EXPECT_EQ(dialog_->launched[1].CommandLine, "\"C:\\my tools\\edit.exe\" \"C:\\d\\11.txt\"");
    EXPECT_EQ(dialog_->opened, (Paths{"C:\\d\\0.txt", "C:\\d\\11.txt"}));

    PressKey('A', true);
    PressKey(VK_DELETE);
    EXPECT_EQ(Entries().size(), 0u);
    EXPECT_EQ(Count(), "0");
    EXPECT_FALSE(IsEnabled(Dialog(), IDC_START));

    // Eleven selected: nothing opens.
    AddListEntries(Dialog(), IDC_FILE_LIST, all);
    Select({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    dialog_->launched.clear();
    dialog_->opened.clear();
    PressKey('O', true);
    PressKey('R', true);
    EXPECT_TRUE(dialog_->launched.empty());
    EXPECT_TRUE(dialog_->opened.empty());
}

}  // namespace

namespace {

// A choice of names beyond the add dialog's first 10,000 bytes comes through whole, and
// every chosen file is added, without the extension check.
TEST_F(FileListWindowTest, AddDialogTakesAChoiceLargerThanItsFirstBuffer)
{
    MakeFolder(folder_ / "many");
    std::string typedNames;
    Paths chosen;
    for (int i = 0; i < 250; ++i) {
        const std::string name = "a-rather-long-file-name-to-fill-the-buffer-" + std::to_string(i) + ".dat";
        WriteBytes(folder_ / "many\\" + name, "x");
        typedNames += "\"" + name + "\" ";
        chosen.push_back(folder_ / "many\\" + name);
    }
    ASSERT_GT(typedNames.size(), 10000u);
    settings_.WriteSettingString("MAIN", "OpenDir", folder_ / "many");
    const std::string before = platform::CurrentDirectory();
    Open();
    int shown = 0;
    std::string title;
    ActivationWatcher watcher([&](HWND window) {
        if (IsMessageBox(window) || ::GetParent(window) != Dialog())
            return;
        ++shown;
        title = TextOf(window);
        // The file name box of the system's dialog.
        for (const int id : {0x47c, 0x480})
            if (HWND box = ::GetDlgItem(window, id))
                SetWindowTextOf(box, typedNames);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    Click(Dialog(), IDC_ADD_FILES);
    EXPECT_EQ(title, "ファイルを追加する");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Entries(), chosen);
    EXPECT_EQ(Count(), "250");
    // The folder of the chosen files is where the dialog opens next time.
    dialog_->DestroyWindow();
    platform::ChangeCurrentDirectory(before);
    EXPECT_EQ(settings_.ReadText(Setting::OpenDir), folder_ / "many");
}

// A file typed with its whole path, in another folder than the one the dialog showed: that
// folder is where the dialog opens next time.
TEST_F(FileListWindowTest, AddDialogRemembersTheFolderOfAFileTypedWithItsPath)
{
    MakeFolder(folder_ / "shown");
    MakeFolder(folder_ / "typed");
    WriteBytes(folder_ / "typed\\a.txt", "x");
    settings_.WriteSettingString("MAIN", "OpenDir", folder_ / "shown");
    const std::string before = platform::CurrentDirectory();
    Open();
    ActivationWatcher watcher([&](HWND window) {
        if (IsMessageBox(window) || ::GetParent(window) != Dialog())
            return;
        for (const int id : {0x47c, 0x480})
            if (HWND box = ::GetDlgItem(window, id))
                SetWindowTextOf(box, folder_ / "typed\\a.txt");
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    Click(Dialog(), IDC_ADD_FILES);
    EXPECT_EQ(Entries(), Paths{folder_ / "typed\\a.txt"});
    dialog_->DestroyWindow();
    platform::ChangeCurrentDirectory(before);
    EXPECT_EQ(settings_.ReadText(Setting::OpenDir), folder_ / "typed");
}

}  // namespace

namespace {

// Automatic mode's exit status: 1 when a file failed, 2 when the run cannot start; the
// dialog ends at once either way.
TEST_F(FileListWindowTest, AutomaticModeTellsHowTheRunWent)
{
    const std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectory(folder_.Path()));
    WriteBytes(folder_ / "a.txt", "abc");
    WriteBytes(folder_ / "zero.txt", std::string("b\0", 2));
    WriteBytes(folder_ / "regex.lst", "b+\tx\tE\r\n");
    const struct {
        Paths arguments;
        bool library;
        int status;
        bool logged;
    } cases[] = {
        {{"-H", "-Fb", "-RB", "-B0", folder_ / "a.txt", folder_ / "zero.txt"}, true, 1, true},
        {{"-H", "-A", "-L" + folder_ / "regex.lst", folder_ / "a.txt"}, false, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        platform::RemoveFile(folder_ / "replace.log");
        Paths arguments = c.arguments;
        arguments.insert(arguments.begin(), "tarvelox.exe");
        FileListDialog dialog(settings_, arguments, c.library ? BregexpLibrary::DefaultPath() : "none.dll");
        std::vector<MessageBoxText> boxes;
        ActivationWatcher watcher([&](HWND window) {
            if (IsMessageBox(window)) {
                boxes.push_back(ReadMessageBox(window));
                ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
        });
        EXPECT_EQ(dialog.DoModal(), 0);
        EXPECT_EQ(dialog.ExitStatus(), c.status) << (c.logged ? ReadBytes(folder_ / "replace.log") : "");
        EXPECT_EQ(FileExists(folder_ / "replace.log"), c.logged);
        EXPECT_EQ(boxes.size(), c.logged ? 0u : 1u);
    }
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "aBc");
    EXPECT_FALSE(FileExists(folder_ / "Tarvelox.ini"));
    platform::ChangeCurrentDirectory(before);
}

}  // namespace
