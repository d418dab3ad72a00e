// window-texts.exe run against windows of this test's own process, which answers its
// messages while it waits for the program's end.
#include "tests/support/TestFiles.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Outcome {
    DWORD Status;
    std::string Out;
    std::string Err;
};

// The texts the test's windows hold: `misread` puts "??" into every kind of control.
class TestWindows {
public:
    explicit TestWindows(const wchar_t* mark)
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        const std::wstring m = mark;
        top_ = ::CreateWindowExW(0, L"STATIC", (L"置換えの確認" + m).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
        Child(L"STATIC", (L"検索文字列" + m).c_str(), 0);
        // Not shown: not what a user reads.
        ::CreateWindowExW(0, L"STATIC", L"??", WS_CHILD, 0, 0, 50, 20, top_, nullptr, nullptr, nullptr);
        // An icon's static control holds the icon's resource number as its text, as a
        // dialog template gives it (0xFFFF, then the number; 128 reads as a C1 control).
        Child(L"STATIC", L"\xFFFF\x0080", SS_ICON);

        HWND list = Child(L"LISTBOX", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"ニュース.txt" + m).c_str()));
        // Far below the rows in view.
        for (int i = 0; i < 200; ++i)
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(i < 199 ? L"a.txt" : L"??"));

        HWND combo = Child(L"COMBOBOX", L"", CBS_DROPDOWN);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"旧社名" + m).c_str()));

        HWND view = Child(WC_LISTVIEWW, L"", LVS_REPORT);
        std::wstring column = L"ファイル名" + m, name = L"表.txt" + m, count = L"置換え数" + m;
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH;
        header.cx = 100;
        header.pszText = column.data();
        ::SendMessageW(view, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&header));
        ::SendMessageW(view, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&header));
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.pszText = name.data();
        ::SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = count.data();
        ::SendMessageW(view, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));

        HWND bar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, top_, nullptr, nullptr, nullptr);
        int parts[] = {200, -1};
        ::SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        ::SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>((L"行 3" + m).c_str()));
    }
    ~TestWindows() { ::DestroyWindow(top_); }
    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;

private:
    HWND Child(const wchar_t* windowClass, const wchar_t* text, DWORD style)
    {
        const int y = 30 * next_++;
        return ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, y * 2, 400, 90, top_, nullptr, nullptr, nullptr);
    }

    HWND top_;
    int next_ = 0;
};

// The program's exit status and output; this thread runs its messages meanwhile, as the
// windows' own thread has to for another process to read them.
Outcome RunWindowTexts(const std::wstring& arguments)
{
    TempFolder folder;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::string outPath = folder / "out.txt", errPath = folder / "err.txt";
    HANDLE out = ::CreateFileA(outPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_NEW, 0, nullptr);
    HANDLE err = ::CreateFileA(errPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_NEW, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring command = L"\"" WINDOW_TEXTS_PROGRAM_W L"\" " + arguments;
    PROCESS_INFORMATION process{};
    Outcome outcome{static_cast<DWORD>(-1), {}, {}};
    const bool started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (!started) {
        ADD_FAILURE() << "cannot start window-texts.exe";
        return outcome;
    }
    const ULONGLONG end = ::GetTickCount64() + 60000;
    while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount64() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    ::GetExitCodeProcess(process.hProcess, &outcome.Status);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    outcome.Out = ReadBytes(outPath);
    outcome.Err = ReadBytes(errPath);
    return outcome;
}

std::wstring ThisProcess() { return L"--check --process=" + std::to_wstring(::GetCurrentProcessId()); }

TEST(WindowTextsTest, ReadsEveryKindOfTextInUtf8AndPassesSoundOnes)
{
    TestWindows windows(L"");
    const Outcome outcome = RunWindowTexts(ThisProcess());
    EXPECT_EQ(outcome.Status, 0u) << outcome.Err;
    for (const char8_t* line : {u8"Static\t置換えの確認\n", u8"Static\t検索文字列\n", u8"ListBox item\tニュース.txt\n",
                                u8"ListBox item\ta.txt\n", u8"ComboBox item\t旧社名\n", u8"SysHeader32 item\tファイル名\n",
                                u8"SysListView32 item\t表.txt\n", u8"SysListView32 item\t置換え数\n",
                                u8"msctls_statusbar32 part\t行 3\n"})
        EXPECT_NE(outcome.Out.find(Utf8(line)), std::string::npos) << Utf8(line) << outcome.Out;
    // Neither the hidden window nor the rows out of view.
    EXPECT_EQ(outcome.Out.find("??"), std::string::npos) << outcome.Out;
}

TEST(WindowTextsTest, FailsOnQuestionMarksWhereverTheyAreShownNamingWindowAndText)
{
    TestWindows windows(L" ??");
    const Outcome outcome = RunWindowTexts(ThisProcess());
    EXPECT_EQ(outcome.Status, 1u) << outcome.Err;
    for (const char8_t* line : {u8"Static: \"置換えの確認 ??\": a run of question marks\n", u8"Static: \"検索文字列 ??\"",
                                u8"ListBox item: \"ニュース.txt ??\"", u8"ComboBox item: \"旧社名 ??\"",
                                u8"SysHeader32 item: \"ファイル名 ??\"", u8"SysListView32 item: \"表.txt ??\"",
                                u8"SysListView32 item: \"置換え数 ??\"", u8"msctls_statusbar32 part: \"行 3 ??\""})
        EXPECT_NE(outcome.Err.find(Utf8(line)), std::string::npos) << Utf8(line) << outcome.Err;
}

TEST(WindowTextsTest, FindingNoWindowIsAFailure)
{
    const Outcome outcome = RunWindowTexts(L"--check --program=no-such-program.exe");
    EXPECT_EQ(outcome.Status, 2u);
    EXPECT_NE(outcome.Err.find("no visible window of no-such-program.exe"), std::string::npos) << outcome.Err;
}

}  // namespace
