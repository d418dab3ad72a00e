// Names code page 932 cannot hold (café, 한국, 𠮷): listed, rewritten, backed up and logged
// by their escaped names (<U+00E9>), while a look-alike beside them (cafe) is never taken
// for them, whether the name comes from the add dialog, a drop, a folder walk or the
// command line; a text (a find text, a switch) that holds such a character is refused.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Resources.h"
#include "platform/ProgramDirectory.h"
#include "platform/win32/WideText.h"
#include "resources/ResourceIds.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

using Paths = std::vector<std::string>;

const std::wstring Cafe = L"caf\u00E9.txt";
const std::wstring Korean = L"\uD55C\uAD6D.txt";

void WriteWide(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadWide(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    char buffer[256];
    DWORD read = 0;
    ::ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    ::CloseHandle(file);
    return std::string(buffer, read);
}

void PutOnClipboard(const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

// A drop of names in the system's characters, as the shell hands it to a window.
HDROP MakeWideDrop(const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    names += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class NameNotCarriedTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        folder_wide_ = platform::Wide(folder_.Path()) + L"\\";
        WriteWide(Wide(Cafe), "a");
        WriteWide(Wide(Korean), "a");
        // The look-alike that a best fit of café.txt names.
        WriteBytes(folder_ / "cafe.txt", "a");
        WriteBytes(folder_ / "b.txt", "a");
        WriteSetting("SETTING", "ShowLog", "0");
    }

    std::wstring Wide(const std::wstring& name) const { return folder_wide_ + name; }
    Paths Entries() const
    {
        const CListBox list(::GetDlgItem(Dialog(), IDC_FILE_LIST));
        Paths entries;
        for (int i = 0; i < list.GetCount(); ++i)
            entries.push_back(list.GetText(i));
        return entries;
    }
    // Runs `action`, reading and closing each message box it brings up.
    template <typename Action>
    std::vector<MessageBoxText> Boxes(Action action)
    {
        std::vector<MessageBoxText> boxes;
        ActivationWatcher watcher([&](HWND window) {
            if (IsMessageBox(window)) {
                boxes.push_back(ReadMessageBox(window));
                ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
        });
        action();
        return boxes;
    }
    // A run of the listed files, "a" to "b", with the progress dialog and no log shown.
    void RunAToB()
    {
        ReplaceText(Dialog(), IDC_FIND_TEXT, "a");
        ReplaceText(Dialog(), IDC_REPLACE_TEXT, "b");
        Click(Dialog(), IDC_START);
    }
    // Each file named outside the code page rewritten with its backup beside it, under its
    // own name; the look-alike never touched.
    void ExpectRewrittenByTheirOwnNames(const std::vector<std::wstring>& names)
    {
        for (const std::wstring& name : names) {
            EXPECT_EQ(ReadWide(Wide(name)), "b");
            EXPECT_EQ(ReadWide(Wide(name + L".bak")), "a");
        }
        EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "b");
        EXPECT_EQ(ReadBytes(folder_ / "cafe.txt"), "a");
        EXPECT_FALSE(FileExists(folder_ / "cafe.txt.bak"));
    }

    std::string CafeShown() const { return folder_ / "caf<U+00E9>.txt"; }
    std::string KoreanShown() const { return folder_ / "<U+D55C><U+AD6D>.txt"; }

    std::wstring folder_wide_;
};

// The names pasted into the add dialog's name box and confirmed with Enter: café.txt and
// 한국.txt are listed by their escaped names, and the run rewrites them, never the look-alike.
TEST_F(NameNotCarriedTest, TheAddDialogListsThemByTheirEscapedNames)
{
    WriteSetting("MAIN", "OpenDir", folder_.Path());
    Open();
    bool typed = false;
    std::vector<MessageBoxText> boxes;
    ActivationWatcher watcher([&](HWND window) {
        if (IsMessageBox(window)) {
            boxes.push_back(ReadMessageBox(window));
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else if (!typed && ::GetParent(window) == Dialog()) {
            typed = true;
            OnceSettled(window, [&] {
                PutOnClipboard(L"\"" + Cafe + L"\" \"" + Korean + L"\" \"b.txt\"");
                EXPECT_TRUE(PressKeys({{'V', VK_CONTROL}, {VK_RETURN}}));
            });
        }
    });
    Click(Dialog(), IDC_ADD_FILES);
    ASSERT_TRUE(typed);
    EXPECT_EQ(Entries(), (Paths{CafeShown(), KoreanShown(), folder_ / "b.txt"}));
    EXPECT_TRUE(boxes.empty());

    RunAToB();
    ExpectRewrittenByTheirOwnNames({Cafe, Korean});
}

// Dropped on the window, and met inside a dropped folder beside its look-alike.
TEST_F(NameNotCarriedTest, ADropAndAFolderWalkListThem)
{
    Open();
    const std::vector<MessageBoxText> boxes = Boxes([&] {
        const HDROP drop = MakeWideDrop({Wide(Cafe), Wide(L"b.txt")});
        ::SendMessageW(Dialog(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    });
    EXPECT_EQ(Entries(), (Paths{CafeShown(), folder_ / "b.txt"}));
    EXPECT_TRUE(boxes.empty());

    MakeFolder(folder_ / "walk");
    WriteWide(Wide(L"walk\\" + Cafe), "a");
    WriteBytes(folder_ / "walk\\cafe.txt", "xyz");
    const std::vector<MessageBoxText> walked = Boxes([&] {
        const HDROP drop = MakeWideDrop({Wide(L"walk")});
        ::SendMessageW(Dialog(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    });
    Paths entries = Entries();
    std::sort(entries.begin() + 2, entries.end());
    EXPECT_EQ(entries, (Paths{CafeShown(), folder_ / "b.txt", folder_ / "walk\\caf<U+00E9>.txt",
                              folder_ / "walk\\cafe.txt"}));
    EXPECT_TRUE(walked.empty());

    RunAToB();
    ExpectRewrittenByTheirOwnNames({Cafe, L"walk\\" + Cafe});
    EXPECT_EQ(ReadWide(Wide(Korean)), "a");
    EXPECT_EQ(ReadBytes(folder_ / "walk\\cafe.txt"), "xyz");
}

// café pasted as the find text: Start refuses it by name, rather than look for cafe.
TEST_F(NameNotCarriedTest, APastedFindTextIsRefusedRatherThanALookAlikeFound)
{
    WriteBytes(folder_ / "b.txt", "cafe");
    Open();
    AddListEntries(Dialog(), IDC_FILE_LIST, {folder_ / "b.txt"});
    ::ShowWindow(Dialog(), SW_SHOW);
    ::SetForegroundWindow(Dialog());
    Window().GotoDlgCtrl(::GetDlgItem(Dialog(), IDC_FIND_TEXT));
    PutOnClipboard(L"caf\u00E9");
    EXPECT_TRUE(PressKeys({{'V', VK_CONTROL}}));
    RunQueuedMessages();
    const std::vector<MessageBoxText> boxes = Boxes([&] { Click(Dialog(), IDC_START); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, LoadResourceString(IDS_TEXT_NOT_CARRIED) + "caf<U+00E9>");
    EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "cafe");
    EXPECT_EQ(::GetFocus(), ::FindWindowExA(::GetDlgItem(Dialog(), IDC_FIND_TEXT), nullptr, "Edit", nullptr));
}

// The real program given café.txt on its command line, in automatic mode: it says which
// argument it cannot carry and does nothing at all (exit status 2, no log).
class ProgramGivenNameNotCarriedTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(::CopyFileA(TARVELOX_PROGRAM, (home_ / "tarvelox.exe").c_str(), TRUE));
        work_wide_ = platform::Wide(work_.Path()) + L"\\";
    }

    // The program's exit status, with the text of each message box it showed, which is
    // closed as the user would.
    DWORD Run(const std::wstring& arguments)
    {
        std::wstring command = L"\"" + platform::Wide(home_ / "tarvelox.exe") + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            ADD_FAILURE() << "cannot start the program: error " << ::GetLastError();
            return static_cast<DWORD>(-1);
        }
        // Looks for the program's message boxes while it has not ended.
        return AwaitProgramEnd(process, [&] {
            ::EnumThreadWindows(
                process.dwThreadId,
                [](HWND window, LPARAM seen) {
                    if (IsMessageBox(window) && ::IsWindowVisible(window)) {
                        reinterpret_cast<std::vector<MessageBoxText>*>(seen)->push_back(ReadMessageBox(window));
                        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&boxes_));
        });
    }

    TempFolder home_;
    TempFolder work_;
    std::wstring work_wide_;
    std::vector<MessageBoxText> boxes_;
};

// The real program given café.txt, 한국.txt and 𠮷野家.txt (a character beyond the first
// plane) on its command line, in automatic mode: each is rewritten and backed up, and the
// log names it by its escaped name; the look-alike is left alone.
TEST_F(ProgramGivenNameNotCarriedTest, RewritesThemAndLogsTheirEscapedNames)
{
    const std::wstring Yoshinoya = L"\U00020BB7\u91CE\u5BB6.txt";
    std::wstring arguments = L"-H -Fa -Rb -B1";
    for (const std::wstring& name : {Cafe, Korean, Yoshinoya}) {
        WriteWide(work_wide_ + name, "a");
        arguments += L" \"" + work_wide_ + name + L"\"";
    }
    WriteBytes(work_ / "cafe.txt", "a");

    EXPECT_EQ(Run(arguments), 0u);

    EXPECT_TRUE(boxes_.empty());
    for (const std::wstring& name : {Cafe, Korean, Yoshinoya}) {
        EXPECT_EQ(ReadWide(work_wide_ + name), "b");
        EXPECT_EQ(ReadWide(work_wide_ + name + L".bak"), "a");
    }
    EXPECT_EQ(ReadBytes(work_ / "cafe.txt"), "a");
    const std::string log = ReadBytes(home_ / "replace.log");
    // 野家 in code page 932, the character before it escaped (the log may shorten the
    // folder).
    for (const std::string shown : {"\\caf<U+00E9>.txt", "\\<U+D55C><U+AD6D>.txt", "\\<U+20BB7>\x96\xec\x89\xc6.txt"})
        EXPECT_NE(log.find(shown), std::string::npos) << shown;
}

// A switch's text is no name: café as the find text is refused by name, and nothing is done.
TEST_F(ProgramGivenNameNotCarriedTest, ASwitchsTextIsRefused)
{
    WriteBytes(work_ / "cafe.txt", "cafe");

    EXPECT_EQ(Run(L"-H -Fcaf\u00E9 -Rb -B1 \"" + platform::Wide(work_ / "cafe.txt") + L"\""), 2u);

    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, LoadResourceString(IDS_ARGUMENTS_NOT_CARRIED) + "-Fcaf<U+00E9>\n");
    EXPECT_EQ(ReadBytes(work_ / "cafe.txt"), "cafe");
    EXPECT_FALSE(FileExists(home_ / "replace.log"));
}

// A folder walk of automatic mode takes café.txt by its escaped name and the look-alike
// for itself.
TEST_F(ProgramGivenNameNotCarriedTest, AWalkTakesIt)
{
    WriteWide(work_wide_ + Cafe, "a");
    WriteBytes(work_ / "cafe.txt", "xyz");

    EXPECT_EQ(Run(L"-H -Fa -Rb -B1 \"" + platform::Wide(work_.Path()) + L"\""), 0u);

    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(ReadBytes(work_ / "cafe.txt"), "xyz");
    EXPECT_EQ(ReadWide(work_wide_ + Cafe), "b");
    EXPECT_NE(ReadBytes(home_ / "replace.log").find("caf<U+00E9>.txt"), std::string::npos);
}

}  // namespace
