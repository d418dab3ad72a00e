#include "framework/StatusBar.h"

#include <commctrl.h>

#include <cwchar>

#include "framework/ChildControl.h"
#include "framework/Controls.h"
#include "platform/win32/WideText.h"

bool CStatusBar::Create(const CWnd& parent, int id)
{
    m_hWnd = CreateChildControl(STATUSCLASSNAMEW, WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN, 0, RECT{},
                                parent.m_hWnd, id);
    if (!m_hWnd)
        return false;
    // The bar takes its natural height from its font once it has a size of its own.
    const RECT client = parent.GetClientRect();
    SetWindowPos(nullptr, 0, 0, client.right, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessage(WM_SIZE);
    SetPaneWidth(client.right);
    return true;
}

void CStatusBar::SetText(const std::string& text) const
{
    SendText(*this, SB_SETTEXTW, 0, text);
}

std::string CStatusBar::GetText() const
{
    const std::size_t length = LOWORD(SendMessage(SB_GETTEXTLENGTHW, 0));
    std::wstring text(length + 1, L'\0');
    SendMessage(SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::wcslen(text.c_str()));
    return platform::NarrowShown(text);
}

void CStatusBar::SetPaneWidth(int width) const
{
    SendMessage(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&width));
}

int CStatusBar::CalcHeight() const
{
    const RECT rect = GetWindowRect();
    return rect.bottom - rect.top;
}
