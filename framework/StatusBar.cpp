#include "framework/StatusBar.h"

#include <commctrl.h>

#include <cstring>

#include "framework/ChildControl.h"

bool CStatusBar::Create(const CWnd& parent, int id)
{
    m_hWnd = CreateChildControl(STATUSCLASSNAMEA, WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN, 0, RECT{},
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
    SendMessage(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CStatusBar::GetText() const
{
    // The length may count characters where the text has two bytes for one.
    const std::size_t length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, 0));
    std::string text(2 * length + 1, '\0');
    SendMessage(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
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
