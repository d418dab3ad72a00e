#include "framework/FrameWnd.h"

#include <commctrl.h>

#include "framework/Dpi.h"
#include "framework/Resources.h"
#include "framework/StatusBar.h"
#include "framework/WinApp.h"
#include "platform/win32/WideText.h"

namespace {

const wchar_t* const FrameClassName = L"TarveloxFrame";

bool RegisterFrameClass(WNDPROC procedure)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(ResourceInstance(), FrameClassName, &existing))
        return true;
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = CS_DBLCLKS;
    frameClass.lpfnWndProc = procedure;
    frameClass.hInstance = ResourceInstance();
    frameClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    // No background: the bars and the pane cover the whole client area.
    frameClass.hbrBackground = nullptr;
    frameClass.lpszClassName = FrameClassName;
    return ::RegisterClassExW(&frameClass) != 0;
}

// The part of a command's string before (prompt) or after (tool tip) its line break.
std::string CommandStringPart(int id, bool toolTip)
{
    const std::string text = LoadResourceString(static_cast<UINT>(id));
    const std::size_t lineBreak = text.find('\n');
    if (toolTip)
        return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
    return text.substr(0, lineBreak);
}

}  // namespace

CFrameWnd::~CFrameWnd()
{
    RemoveIdleClient(*this);
    if (m_hWnd)
        ForgetHandle();
}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent)
{
    if (!RegisterFrameClass(FrameProcedure))
        return false;
    resourceId_ = resourceId;
    owner_ = parent ? parent->m_hWnd : nullptr;
    accelerators_ = ::LoadAcceleratorsW(ResourceInstance(), MAKEINTRESOURCEW(resourceId));
    const std::wstring title =
        platform::WideShown((style & FWS_ADDTOTITLE) ? LoadResourceString(resourceId) : std::string());
    CREATESTRUCTW create{};
    create.lpCreateParams = this;
    create.hInstance = ResourceInstance();
    create.hMenu = ::LoadMenuW(ResourceInstance(), MAKEINTRESOURCEW(resourceId));
    create.hwndParent = owner_;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = style;
    create.lpszName = title.c_str();
    create.lpszClass = FrameClassName;
    create.dwExStyle = WS_EX_CLIENTEDGE;
    HWND hwnd = nullptr;
    if (PreCreateWindow(create))
        hwnd = ::CreateWindowExW(create.dwExStyle, create.lpszClass, create.lpszName, create.style, create.x,
                                 create.y, create.cx, create.cy, create.hwndParent, create.hMenu, create.hInstance,
                                 this);
    // A window that was made and failed took its menu with it.
    if (!hwnd && create.hMenu && ::IsMenu(create.hMenu))
        ::DestroyMenu(create.hMenu);
    return hwnd != nullptr;
}

bool CFrameWnd::PreTranslateMessage(MSG& message)
{
    if (!accelerators_ || message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    return ::TranslateAcceleratorW(m_hWnd, accelerators_, &message) != 0;
}

bool CFrameWnd::IsCommandEnabled(int) const
{
    return true;
}

void CFrameWnd::RecalcLayout()
{
    const RECT client = GetClientRect();
    int top = client.top;
    int bottom = client.bottom;
    const int width = client.right - client.left;
    for (const DockedBar& docked : bars_) {
        const int height = docked.Bar->CalcHeight();
        int y = top;
        if (docked.Edge == BarEdge::Top) {
            top += height;
        } else {
            bottom -= height;
            y = bottom;
        }
        docked.Bar->SetWindowPos(nullptr, 0, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND pane = GetDlgItem(FramePaneId))
        ::SetWindowPos(pane, nullptr, 0, top, width, bottom > top ? bottom - top : 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    promptShown_ = true;
    if (statusBar_)
        statusBar_->SetText(text);
}

void CFrameWnd::ShowIdleText()
{
    promptShown_ = false;
    if (statusBar_)
        statusBar_->SetText(GetIdleText());
}

void CFrameWnd::UpdateCommandStates()
{
    for (const DockedBar& docked : bars_)
        docked.Bar->UpdateCommandStates(*this);
    if (statusBar_ && !promptShown_) {
        const std::string idle = GetIdleText();
        if (statusBar_->GetText() != idle)
            statusBar_->SetText(idle);
    }
}

std::string CFrameWnd::PromptOf(int id)
{
    return CommandStringPart(id, false);
}

std::string CFrameWnd::ToolTipOf(int id)
{
    return CommandStringPart(id, true);
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTW&)
{
    return true;
}

bool CFrameWnd::OnCreate(const CREATESTRUCTW&)
{
    return true;
}

bool CFrameWnd::OnCommand(int id, int code, HWND control)
{
    // The application's own commands (help) from the menu.
    CWinApp* application = CWinApp::Current();
    return !control && code == 0 && application && application->OnCommand(id);
}

bool CFrameWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CFrameWnd::PostNcDestroy()
{
}

std::string CFrameWnd::GetIdleText() const
{
    return std::string();
}

void CFrameWnd::DockBar(CControlBar& bar, BarEdge edge)
{
    bars_.push_back({&bar, edge});
}

void CFrameWnd::DockStatusBar(CStatusBar& bar)
{
    DockBar(bar, BarEdge::Bottom);
    statusBar_ = &bar;
}

bool CFrameWnd::IsBar(HWND hwnd) const
{
    for (const DockedBar& docked : bars_)
        if (docked.Bar->m_hWnd == hwnd)
            return true;
    return false;
}

void CFrameWnd::UpdateMenuStates(HMENU menu) const
{
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT id = ::GetMenuItemID(menu, position);
        // Submenus (-1) and separators (0) have no command.
        if (id == static_cast<UINT>(-1) || id == 0)
            continue;
        ::EnableMenuItem(menu, static_cast<UINT>(position),
                         MF_BYPOSITION | (IsCommandEnabled(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
    }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu)
        ShowIdleText();
    else if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))
        SetMessageText(std::string());
    else
        SetMessageText(PromptOf(static_cast<int>(item)));
}

bool CFrameWnd::OnBarNotify(NMHDR& header)
{
    switch (header.code) {
    case TTN_GETDISPINFOW: {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        if (info.uFlags & TTF_IDISHWND)
            return false;
        // The bars are Unicode windows: their tool tips ask in UTF-16.
        wideToolTip_ = platform::WideShown(ToolTipOf(static_cast<int>(header.idFrom)));
        info.lpszText = wideToolTip_.data();
        return true;
    }
    case TBN_HOTITEMCHANGE: {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if (!IsBar(header.hwndFrom))
            return false;
        if (hot.dwFlags & HICF_LEAVING)
            ShowIdleText();
        else
            SetMessageText(PromptOf(hot.idNew));
        return true;
    }
    default:
        return false;
    }
}

void CFrameWnd::SetIcons(UINT dpi)
{
    SetIconsForDpi(m_hWnd, resourceId_, dpi);
}

void CFrameWnd::OnIdle()
{
    UpdateCommandStates();
}

bool CFrameWnd::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CREATE:
        SetIcons(WindowDpi(m_hWnd));
        AddIdleClient(*this);
        result = OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam)) ? 0 : -1;
        return true;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        // Menus and keys (no control) and the toolbar: the command runs only when enabled.
        if ((!control || IsBar(control)) && !IsCommandEnabled(id))
            return true;
        // A key is a menu command: both come without a control, as code 0.
        return OnCommand(id, control ? HIWORD(wParam) : 0, control);
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            RecalcLayout();
        OnMessage(message, wParam, lParam, result);
        result = 0;
        return true;
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: the size Windows suggests for it, the icons
        // and the bars' images drawn again for the new scale.
        SetIcons(HIWORD(wParam));
        for (const DockedBar& docked : bars_)
            docked.Bar->ChangeDpi(HIWORD(wParam));
        MoveToSuggestedRect(m_hWnd, lParam);
        RecalcLayout();
        return true;
    }
    case WM_INITMENUPOPUP:
        UpdateMenuStates(reinterpret_cast<HMENU>(wParam));
        return true;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return true;
    case WM_NOTIFY:
        if (OnBarNotify(*reinterpret_cast<NMHDR*>(lParam)))
            return true;
        return OnMessage(message, wParam, lParam, result);
    default:
        return OnMessage(message, wParam, lParam, result);
    }
}

LRESULT CALLBACK CFrameWnd::FrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CFrameWnd* frame = nullptr;
    if (message == WM_NCCREATE) {
        frame = static_cast<CFrameWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        frame->RememberHandle(hwnd);
    } else {
        frame = static_cast<CFrameWnd*>(FromHandlePermanent(hwnd));
    }
    if (!frame)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = frame->Route(message, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind through the system's code; the message counts as not handled.
        handled = false;
    }
    if (!handled)
        result = ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemoveIdleClient(*frame);
        frame->ForgetHandle();
        frame->PostNcDestroy();
    }
    return result;
}
