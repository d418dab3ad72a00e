#include "framework/Dialog.h"

#include "framework/MessageLoop.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"

CDialog::~CDialog()
{
    // A modeless dialog whose object goes first must not call it any more.
    if (m_hWnd)
        ForgetHandle();
}

INT_PTR CDialog::DoModal()
{
    HWND owner = parent_ ? parent_->m_hWnd : nullptr;
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    modal_ = true;
    ended_ = false;
    result_ = -1;
    HWND hwnd = ::CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), owner, DialogProcedure,
                                     reinterpret_cast<LPARAM>(this));
    if (hwnd) {
        CenterIfUnplaced();
        if (!ended_) {
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
            RunMessagesUntil(ended_);
        }
        // The owner is enabled and activated before the dialog goes, so that it gets the
        // activation back instead of another program.
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        if (owner && ::GetActiveWindow() == hwnd)
            ::SetActiveWindow(owner);
        ::DestroyWindow(hwnd);
    } else if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    modal_ = false;
    return hwnd ? result_ : -1;
}

bool CDialog::Create(bool centre)
{
    modal_ = false;
    HWND owner = parent_ ? parent_->m_hWnd : nullptr;
    if (!::CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), owner, DialogProcedure,
                              reinterpret_cast<LPARAM>(this)))
        return false;
    if (centre)
        CenterIfUnplaced();
    else
        centerPending_ = false;
    return true;
}

void CDialog::CenterIfUnplaced()
{
    if (centerPending_ && m_hWnd)
        CenterWindow();
    centerPending_ = false;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!modal_) {
        DestroyWindow();
        return;
    }
    result_ = result;
    ended_ = true;
    // Wakes the loop, which may be waiting for a message.
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
}

void CDialog::GotoDlgCtrl(HWND control) const
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

bool CDialog::RefuseTextNotCarried(std::initializer_list<int> ids, const std::string& message) const
{
    for (const int id : ids) {
        HWND control = GetDlgItem(id);
        if (!control || IsTextCarried(control))
            continue;
        AppMessageBox(message + WindowText(control), MB_OK | MB_ICONEXCLAMATION, std::string(), m_hWnd);
        GotoDlgCtrl(control);
        return true;
    }
    return false;
}

bool CDialog::PreTranslateMessage(MSG& message)
{
    // With no control focused (the focused one was disabled) keys come to the dialog
    // itself, which the dialog manager passes over; Esc still cancels.
    const bool key = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (key && message.wParam == VK_ESCAPE && message.hwnd == m_hWnd) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return true;
    }
    return ::IsDialogMessageW(m_hWnd, &message);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange&)
{
}

bool CDialog::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        return false;
    return true;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CDialog::OnDestroy()
{
}

bool CDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // A control whose object decides its own colours is asked first.
        if (CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
            control && control != this && control->OnChildNotify(message, wParam, lParam, result))
            return true;
        return OnMessage(message, wParam, lParam, result);
    default:
        return OnMessage(message, wParam, lParam, result);
    }
}

namespace {

// The messages whose result a dialog procedure returns itself instead of through
// DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

}  // namespace

INT_PTR CALLBACK CDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->RememberHandle(hwnd);
    } else {
        dialog = static_cast<CDialog*>(FromHandlePermanent(hwnd));
    }
    if (!dialog)
        return FALSE;
    LRESULT result = 0;
    bool handled = false;
    const RECT before = message == WM_INITDIALOG ? dialog->GetWindowRect() : RECT{};
    try {
        handled = dialog->Route(message, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind through the system's code; the message counts as not handled.
        handled = false;
    }
    if (message == WM_INITDIALOG && ::IsWindow(hwnd)) {
        const RECT after = dialog->GetWindowRect();
        dialog->centerPending_ = after.left == before.left && after.top == before.top &&
                                 !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD);
    }
    if (message == WM_NCDESTROY)
        dialog->ForgetHandle();
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
