#pragma once
// A window as the program sees it: one handle, not owned. Destroying the window is the
// system's business (or the owner's); the object only forwards calls, and a window class
// derived from it receives the messages its window procedure routes to it.
#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach();

    // The object that routes the messages of `hwnd`, or null for a window no object serves.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Offered every message on its way to this window or to one inside it before the message
    // is translated and dispatched; true when it was taken here and must go no further.
    virtual bool PreTranslateMessage(MSG& message);
    // A message the parent received about this control (its colours, for one), offered back
    // to the control's object first; true when it was taken here.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Every window of the program is a Unicode one: a message carrying text takes UTF-16,
    // converted from and to code page 932 by the wrappers, whatever the system's code page.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    void SetWindowText(const std::string& text) const;
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const std::string& text) const;
    std::string GetDlgItemText(int id) const;

    bool EnableWindow(bool enable = true) const { return ::EnableWindow(m_hWnd, enable); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    bool ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
    bool IsIconic() const { return ::IsIconic(m_hWnd); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    bool DestroyWindow() const { return ::DestroyWindow(m_hWnd); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    bool SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const
    {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    // Centres the window over its owner, or over the work area when the owner is hidden,
    // minimised or missing, keeping it inside the work area.
    void CenterWindow() const;
    HICON SetIcon(HICON icon, bool big) const
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }

    HWND m_hWnd = nullptr;

protected:
    // Lets FromHandlePermanent find this object for `hwnd`; undone by ForgetHandle.
    void RememberHandle(HWND hwnd);
    void ForgetHandle();
};

// The text of a window by its handle, for any window (controls included).
std::string WindowText(HWND hwnd);
// Whether the text of `hwnd` passes into the program's code page as it stands.
bool IsTextCarried(HWND hwnd);
void SetWindowTextOf(HWND hwnd, const std::string& text);
// How large `text` is drawn in `font` on the window, in pixels.
SIZE TextExtentIn(HWND hwnd, HFONT font, const std::string& text);
// How wide `text` is drawn in the window's font, in pixels.
int TextWidthIn(HWND hwnd, const std::string& text);
// A child window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
