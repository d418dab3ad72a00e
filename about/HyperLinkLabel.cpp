#include "about/HyperLinkLabel.h"

#include <windowsx.h>

#include "about/AboutLines.h"
#include "framework/BorrowedCursor.h"
#include "framework/Shell.h"

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Orange = RGB(255, 128, 0);

// The pointing hand of the system's old help program.
constexpr UINT HelpProgramHandCursor = 106;

POINT PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

CHyperLinkLabel::CHyperLinkLabel()
{
    cursor_ = BorrowCursor(WindowsFolderFile("winhlp32.exe"), HelpProgramHandCursor);
    ownCursor_ = cursor_ != nullptr;
    // Current Windows has no such program; a link must still show a hand, not an arrow.
    if (!cursor_)
        cursor_ = ::LoadCursorA(nullptr, IDC_HAND);
    if (!cursor_)
        cursor_ = ::LoadCursorA(nullptr, IDC_ARROW);
    background_ = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    opener_ = [this](const std::string& target) { OpenWithSystem(::GetParent(m_hWnd), target, "open"); };
}

CHyperLinkLabel::~CHyperLinkLabel()
{
    if (ownCursor_)
        ::DestroyCursor(cursor_);
    if (ownFont_)
        ::DeleteObject(ownFont_);
    ::DeleteObject(background_);
}

bool CHyperLinkLabel::PreTranslateMessage(MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    // While the button is held on the label no key does anything.
    if (pressed_)
        return true;
    if (message.wParam != VK_RETURN)
        return false;
    OpenLink();
    return true;
}

bool CHyperLinkLabel::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_CTLCOLORSTATIC)
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, textColour_);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(background_);
    return true;
}

bool CHyperLinkLabel::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_SETCURSOR:
        ::SetCursor(cursor_);
        result = TRUE;
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam));
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetFocus();
        DrawFrame();
        result = Default();
        return true;
    case WM_LBUTTONUP:
        if (pressed_)
            OnLeftButtonUp(PointOf(lParam));
        result = Default();
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        ::ReleaseCapture();
        EnterNormalLook();
        pressed_ = false;
        result = Default();
        return true;
    case WM_SETFOCUS:
        result = Default();
        DrawFrame();
        if (!HasCapture())
            EnterNormalLook();
        return true;
    case WM_KILLFOCUS:
        result = Default();
        ::ReleaseCapture();
        EnterNormalLook();
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CHyperLinkLabel::OnMouseMove(POINT point)
{
    if (!::GetCapture())
        EnterHotLook();
    // With the button held on it the label stays hot until the button comes up.
    if (!IsInside(point) && !pressed_) {
        EnterNormalLook();
        ::ReleaseCapture();
    }
}

void CHyperLinkLabel::OnLeftButtonUp(POINT point)
{
    ::ReleaseCapture();
    if (IsInside(point)) {
        OpenLink();
        POINT pointer{};
        ::GetCursorPos(&pointer);
        const RECT window = GetWindowRect();
        if (!::PtInRect(&window, pointer))
            EnterNormalLook();
    } else {
        EnterNormalLook();
    }
    pressed_ = false;
}

void CHyperLinkLabel::OnPaint()
{
    PAINTSTRUCT paint;
    ::BeginPaint(m_hWnd, &paint);
    // Setting the text again makes the static draw it, in the current font and colours.
    SetWindowText(GetWindowText());
    DrawFrame();
    if (!fitted_)
        FitToText();
    ::EndPaint(m_hWnd, &paint);
}

void CHyperLinkLabel::TakeDialogFont()
{
    if (fontTaken_)
        return;
    fontTaken_ = true;
    HGDIOBJ dialogFont = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    ::GetObjectW(dialogFont ? dialogFont : ::GetStockObject(SYSTEM_FONT), sizeof font_, &font_);
}

void CHyperLinkLabel::FitToText()
{
    fitted_ = true;
    TakeDialogFont();
    HFONT measured = ::CreateFontIndirectW(&font_);
    const SIZE extent = TextExtentIn(m_hWnd, measured, GetWindowText());
    ::DeleteObject(measured);
    // In the parent's coordinates: the left edge stays, the top moves up one pixel, and a
    // one-pixel border for the focus frame goes round the text.
    const RECT window = RectInParent(m_hWnd);
    SetWindowPos(nullptr, window.left, window.top - 1, extent.cx + 2, extent.cy + 2, SWP_NOZORDER | SWP_NOACTIVATE);
    EnterNormalLook();
}

void CHyperLinkLabel::OpenLink()
{
    opener_(LinkTarget(GetWindowText()));
}

void CHyperLinkLabel::EnterNormalLook()
{
    look_ = Look::Normal;
    font_.lfUnderline = FALSE;
    ApplyFont();
    textColour_ = ::GetFocus() == m_hWnd ? Red : Blue;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLinkLabel::EnterHotLook()
{
    look_ = Look::Hot;
    font_.lfUnderline = TRUE;
    ApplyFont();
    textColour_ = Orange;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::SetCapture(m_hWnd);
}

void CHyperLinkLabel::ApplyFont()
{
    // A look taken before the first paint still starts from the dialog's font.
    TakeDialogFont();
    HFONT former = ownFont_;
    ownFont_ = ::CreateFontIndirectW(&font_);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_), TRUE);
    if (former)
        ::DeleteObject(former);
}

void CHyperLinkLabel::DrawFrame() const
{
    RECT client = GetClientRect();
    HDC dc = ::GetDC(m_hWnd);
    // The border is cleared first, so that a former focus frame goes.
    ::FrameRect(dc, &client, background_);
    if (::GetFocus() == m_hWnd)
        ::DrawFocusRect(dc, &client);
    ::ReleaseDC(m_hWnd, dc);
}

bool CHyperLinkLabel::IsInside(POINT point) const
{
    const RECT client = GetClientRect();
    return ::PtInRect(&client, point);
}
