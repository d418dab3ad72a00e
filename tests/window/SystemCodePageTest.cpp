// The windows under a system code page other than 932, in a process that has not been given
// code page 932 by its manifest (as on a Windows that does not honour that setting): every
// text the program hands to a window, and every text it reads back, is its own code page 932
// however the system's is set.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/ListCtrl.h"
#include "framework/Resources.h"
#include "framework/StatusBar.h"
#include "framework/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowDriver.h"

namespace {

std::wstring WideTextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

class SystemCodePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Under code page 932 these tests would pass whatever the windows did.
        ASSERT_NE(::GetACP(), 932u) << "run under a system locale whose code page is not 932";
        ASSERT_TRUE(dialog_.Create());
    }
    void TearDown() override { dialog_.DestroyWindow(); }

    CDialog dialog_{IDD_MAIN};
};

}  // namespace

TEST_F(SystemCodePage, ControlsShowTheProgramsTextsAndGiveThemBack)
{
    dialog_.SetWindowText("置換 ー ソ表");
    EXPECT_EQ(WideTextOf(dialog_.m_hWnd), L"置換 ー ソ表");
    EXPECT_EQ(dialog_.GetWindowText(), "置換 ー ソ表");

    const CComboBox find(dialog_.GetDlgItem(IDC_FIND_TEXT));
    find.AddString("検索文字列");
    find.AddString("ポ");
    EXPECT_EQ(find.GetLBText(0), "検索文字列");
    EXPECT_EQ(find.SelectString(-1, "ポ"), 1);
    wchar_t item[32] = {};
    ::SendMessageW(find.m_hWnd, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"ポ");

    const CListBox files(dialog_.GetDlgItem(IDC_FILE_LIST));
    files.AddString("C:\\資料\\表.txt");
    EXPECT_EQ(files.GetText(files.GetCount() - 1), "C:\\資料\\表.txt");

    // A text that is not well-formed still shows what it can, as before.
    dialog_.SetDlgItemText(IDC_FIND_TEXT, std::string("表\x81", 3));
    EXPECT_EQ(WideTextOf(dialog_.GetDlgItem(IDC_FIND_TEXT)).substr(0, 1), L"表");
}

TEST_F(SystemCodePage, ListViewsAndStatusBarsCarryJapanese)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, 0, dialog_.m_hWnd, 4001));
    list.InsertColumn(0, "検索", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "置換", LVCFMT_LEFT, 80);
    ASSERT_EQ(list.InsertItem(0, "あいう"), 0);
    list.SetItemText(0, 1, "アイウ");
    EXPECT_EQ(list.GetItemText(0, 0), "あいう");
    EXPECT_EQ(list.GetItemText(0, 1), "アイウ");
    wchar_t heading[16] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = 16;
    ::SendMessageW(list.m_hWnd, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(heading, L"置換");

    CStatusBar status;
    ASSERT_TRUE(status.Create(dialog_, 4002));
    status.SetText("準備完了");
    EXPECT_EQ(status.GetText(), "準備完了");
    wchar_t shown[16] = {};
    ::SendMessageW(status.m_hWnd, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"準備完了");
}

TEST_F(SystemCodePage, ResourcesFontsAndMessageBoxesAreJapanese)
{
    EXPECT_EQ(LoadResourceString(IDS_RESULT_LOG_ABORTED), "置換え中止");

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "ＭＳ ゴシック", 96));
    LOGFONTW description{};
    ::GetObjectW(font.Handle(), sizeof description, &description);
    EXPECT_STREQ(description.lfFaceName, L"ＭＳ ゴシック");

    // Measured as the characters they are, not as the question marks of the system's code page.
    const HFONT dialogFont = reinterpret_cast<HFONT>(dialog_.SendMessage(WM_GETFONT));
    EXPECT_EQ(TextExtentIn(dialog_.m_hWnd, dialogFont, "置換").cx, [&] {
        HDC dc = ::GetDC(dialog_.m_hWnd);
        HGDIOBJ former = ::SelectObject(dc, dialogFont);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, L"置換", 2, &size);
        ::SelectObject(dc, former);
        ::ReleaseDC(dialog_.m_hWnd, dc);
        return size.cx;
    }());

    std::wstring caption, message;
    ActivationWatcher watcher([&](HWND window) {
        if (window == dialog_.m_hWnd)
            return;
        caption = WideTextOf(window);
        message = WideTextOf(::GetDlgItem(window, 0xFFFF));
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    AppMessageBox("ファイルがありません", MB_OK, "置換", dialog_.m_hWnd);
    EXPECT_EQ(caption, L"置換");
    EXPECT_EQ(message, L"ファイルがありません");
}
