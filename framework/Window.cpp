#include "framework/Window.h"

#include <algorithm>

#include "platform/win32/WideText.h"

namespace {

// The property under which a window keeps the object that serves it.
const char* const ObjectProperty = "Tarvelox.WindowObject";

}  // namespace

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, ObjectProperty)) : nullptr;
}

bool CWnd::PreTranslateMessage(MSG&)
{
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CWnd::RememberHandle(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetPropA(hwnd, ObjectProperty, this);
}

void CWnd::ForgetHandle()
{
    if (m_hWnd)
        ::RemovePropA(m_hWnd, ObjectProperty);
    m_hWnd = nullptr;
}

void CWnd::SetWindowText(const std::string& text) const
{
    SetWindowTextOf(m_hWnd, text);
}

std::string CWnd::GetWindowText() const
{
    return WindowText(m_hWnd);
}

void CWnd::SetDlgItemText(int id, const std::string& text) const
{
    SetWindowTextOf(GetDlgItem(id), text);
}

std::string CWnd::GetDlgItemText(int id) const
{
    return WindowText(GetDlgItem(id));
}

void CWnd::CenterWindow() const
{
    const RECT window = GetWindowRect();
    MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT area = monitor.rcWork;
    RECT over = area;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &over);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG x = over.left + (over.right - over.left - width) / 2;
    LONG y = over.top + (over.bottom - over.top - height) / 2;
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

namespace {

platform::SystemName TextOfWindow(HWND hwnd)
{
    // Read in the system's own characters: one the program's code page lacks (pasted in)
    // comes in the readable form of SystemName, which no file name or text holds, never as
    // a look-alike that would name another file or find another text.
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    return platform::NameFromSystem(text);
}

}  // namespace

std::string WindowText(HWND hwnd)
{
    return TextOfWindow(hwnd).Text;
}

bool IsTextCarried(HWND hwnd)
{
    return TextOfWindow(hwnd).Exact;
}

void SetWindowTextOf(HWND hwnd, const std::string& text)
{
    ::SetWindowTextW(hwnd, platform::WideShown(text).c_str());
}

SIZE TextExtentIn(HWND hwnd, HFONT font, const std::string& text)
{
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ former = ::SelectObject(dc, font);
    SIZE size{};
    const std::wstring wide = platform::WideShown(text);
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    ::SelectObject(dc, former);
    ::ReleaseDC(hwnd, dc);
    return size;
}

int TextWidthIn(HWND hwnd, const std::string& text)
{
    return TextExtentIn(hwnd, reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), text).cx;
}

RECT RectInParent(HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
