#include "framework/SubclassedWnd.h"

CSubclassedWnd::~CSubclassedWnd()
{
    Unsubclass();
}

bool CSubclassedWnd::SubclassDlgItem(int id, const CWnd& parent)
{
    HWND control = parent.GetDlgItem(id);
    return control && SubclassWindow(control);
}

bool CSubclassedWnd::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || FromHandlePermanent(hwnd))
        return false;
    RememberHandle(hwnd);
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclassedWnd::WindowProcedure)));
    return true;
}

bool CSubclassedWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CSubclassedWnd::Default()
{
    return ::CallWindowProcW(original_, m_hWnd, current_.Message, current_.WParam, current_.LParam);
}

void CSubclassedWnd::Unsubclass()
{
    if (!m_hWnd)
        return;
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    ForgetHandle();
}

LRESULT CALLBACK CSubclassedWnd::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* window = static_cast<CSubclassedWnd*>(FromHandlePermanent(hwnd));
    // Handlers may send messages to their own window: each call keeps its own message.
    const CurrentMessage outer = window->current_;
    window->current_ = {message, wParam, lParam};
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = window->OnMessage(message, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind through the system's code; the control handles the message.
        handled = false;
    }
    if (!handled)
        result = window->Default();
    window->current_ = outer;
    if (message == WM_NCDESTROY)
        window->Unsubclass();
    return result;
}
