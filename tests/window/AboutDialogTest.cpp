#include "about/AboutDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ProductInfo.h"
#include "framework/MessageLoop.h"
#include "resources/ResourceIds.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Orange = RGB(255, 128, 0);

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// The about box as a window of the test's thread (the test program carries the program's
// resources and version information), painted once, with the links' openings recorded.
class AboutDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog_.Create());
        dialog_.ShowWindow(SW_SHOW);
        ::UpdateWindow(dialog_.m_hWnd);
        for (CHyperLinkLabel* link : {&dialog_.WebLink(), &dialog_.MailLink()})
            link->SetOpener([this](const std::string& target) { opened_.push_back(target); });
    }
    void TearDown() override { dialog_.DestroyWindow(); }

    HWND Dialog() const { return dialog_.m_hWnd; }
    CHyperLinkLabel& Web() { return dialog_.WebLink(); }
    // Posted and run through the program's loop, so that the pre-translation sees it.
    void PressKey(HWND window, WPARAM key)
    {
        ::PostMessageA(window, WM_KEYDOWN, key, 0);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchWithPreTranslation(message);
    }

    CAboutDialog dialog_{nullptr};
    std::vector<std::string> opened_;
};

TEST_F(AboutDialogTest, ShowsTheLinesOfItsVersionInformationAndItsAddresses)
{
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_ABOUT_PRODUCT)), "Tarvelox version " TARVELOX_VERSION_TEXT);
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_ABOUT_LEGAL)), TARVELOX_LEGAL_COPYRIGHT);
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_ABOUT_WEB)), TARVELOX_HOME_URL);
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_ABOUT_MAIL)), TARVELOX_SUPPORT_MAIL);
    // A pointing hand: borrowed from the help program where there is one, the system's
    // otherwise; never the arrow.
    EXPECT_NE(Web().Cursor(), ::LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(AboutDialogTest, TheFirstPaintFitsEachLinkToItsTextWithABorder)
{
    for (const auto& [id, position] : {std::pair{IDC_ABOUT_WEB, RECT{75, 35, 75 + 58, 35 + 8}},
                                       std::pair{IDC_ABOUT_MAIL, RECT{75, 45, 75 + 61, 45 + 8}}}) {
        HWND link = ::GetDlgItem(Dialog(), id);
        RECT expected = position;
        ::MapDialogRect(Dialog(), &expected);
        HDC dc = ::GetDC(link);
        HGDIOBJ former = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(Dialog(), WM_GETFONT, 0, 0)));
        const std::string text = TextOf(link);
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(dc, former);
        ::ReleaseDC(link, dc);

        RECT actual{};
        ::GetWindowRect(link, &actual);
        ::MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left) << id;
        EXPECT_EQ(actual.top, expected.top - 1) << id;
        EXPECT_EQ(actual.right - actual.left, extent.cx + 2) << id;
        EXPECT_EQ(actual.bottom - actual.top, extent.cy + 2) << id;
    }
}

TEST_F(AboutDialogTest, TheLooksFollowThePointerTheButtonsAndTheFocus)
{
    HWND web = Web().m_hWnd;
    const RECT client = Web().GetClientRect();
    const LPARAM inside = At(client.right / 2, client.bottom / 2);
    const LPARAM outside = At(client.right + 20, client.bottom + 20);
    const struct {
        const char* event;
        UINT message;
        LPARAM point;
        CHyperLinkLabel::Look look;
        COLORREF colour;
        bool capture;
        size_t opened;
    } steps[] = {
        {"pointer enters", WM_MOUSEMOVE, inside, CHyperLinkLabel::Look::Hot, Orange, true, 0},
        {"pointer leaves", WM_MOUSEMOVE, outside, CHyperLinkLabel::Look::Normal, Blue, false, 0},
        {"pointer enters again", WM_MOUSEMOVE, inside, CHyperLinkLabel::Look::Hot, Orange, true, 0},
        {"left button down takes the focus, stays hot", WM_LBUTTONDOWN, inside, CHyperLinkLabel::Look::Hot, Orange,
         true, 0},
        {"dragged away while pressed stays hot", WM_MOUSEMOVE, outside, CHyperLinkLabel::Look::Hot, Orange, true, 0},
        {"released outside opens nothing", WM_LBUTTONUP, outside, CHyperLinkLabel::Look::Normal, Red, false, 0},
        {"pointer back over it", WM_MOUSEMOVE, inside, CHyperLinkLabel::Look::Hot, Orange, true, 0},
        {"left button down", WM_LBUTTONDOWN, inside, CHyperLinkLabel::Look::Hot, Orange, true, 0},
        {"out and back in while pressed", WM_MOUSEMOVE, outside, CHyperLinkLabel::Look::Hot, Orange, true, 0},
        {"released inside opens", WM_LBUTTONUP, inside, CHyperLinkLabel::Look::Normal, Red, false, 1},
        {"pointer enters", WM_MOUSEMOVE, inside, CHyperLinkLabel::Look::Hot, Orange, true, 1},
        {"a right button", WM_RBUTTONDOWN, inside, CHyperLinkLabel::Look::Normal, Red, false, 1},
        {"pointer enters", WM_MOUSEMOVE, inside, CHyperLinkLabel::Look::Hot, Orange, true, 1},
        {"a middle button", WM_MBUTTONUP, inside, CHyperLinkLabel::Look::Normal, Red, false, 1},
    };
    // The system's pointer lies outside the link, so a release inside ends the hot look.
    ::SetCursorPos(0, 0);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.event);
        ::SendMessageA(web, step.message, step.message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, step.point);
        EXPECT_EQ(Web().CurrentLook(), step.look);
        EXPECT_EQ(Web().TextColour(), step.colour);
        EXPECT_EQ(Web().IsUnderlined(), step.look == CHyperLinkLabel::Look::Hot);
        EXPECT_EQ(::GetCapture() == web, step.capture);
        EXPECT_EQ(opened_.size(), step.opened);
    }
    EXPECT_FALSE(Web().IsPressed());
    EXPECT_EQ(opened_, std::vector<std::string>{TARVELOX_HOME_URL});

    // Losing the focus turns it blue, getting it back red.
    ::SetFocus(::GetDlgItem(Dialog(), IDOK));
    EXPECT_EQ(Web().TextColour(), Blue);
    ::SetFocus(web);
    EXPECT_EQ(Web().TextColour(), Red);
    // The colours reach the static through its parent.
    HDC dc = ::GetDC(web);
    ::SendMessageA(Dialog(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(web));
    EXPECT_EQ(::GetTextColor(dc), Red);
    EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_BTNFACE));
    ::ReleaseDC(web, dc);
}

TEST_F(AboutDialogTest, EnterOpensTheFocusedLinkAsAMailAddressWithoutAColon)
{
    HWND mail = dialog_.MailLink().m_hWnd;
    ::SetFocus(mail);
    PressKey(mail, VK_RETURN);
    EXPECT_EQ(opened_, std::vector<std::string>{std::string("mailto:") + TARVELOX_SUPPORT_MAIL});

    // While the button is held on it, no key does anything, not even Tab.
    ::SendMessageA(mail, WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
    PressKey(mail, VK_RETURN);
    PressKey(mail, VK_TAB);
    EXPECT_EQ(opened_.size(), 1u);
    EXPECT_EQ(::GetFocus(), mail);
    ::SendMessageA(mail, WM_RBUTTONUP, 0, At(1, 1));
    PressKey(mail, VK_TAB);
    EXPECT_NE(::GetFocus(), mail);
}

TEST_F(AboutDialogTest, AClickBesideTheLinksMovesTheFocusToOk)
{
    ::SetFocus(Web().m_hWnd);
    ASSERT_EQ(Web().TextColour(), Red);
    ::SendMessageA(Dialog(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(Dialog(), IDOK));
    EXPECT_EQ(Web().TextColour(), Blue);
}

TEST_F(MainDialogFixture, TheAboutButtonOpensTheVersionDialog)
{
    Open();
    bool seen = false;
    ActivationWatcher watcher([&](HWND window) {
        if (HasCaption(window, "バージョン情報") && !seen) {
            seen = true;
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    });
    Click(Dialog(), IDC_ABOUT);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));
}

}  // namespace
