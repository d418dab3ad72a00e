#include "app/ProgressDialog.h"

#include "resources/ResourceIds.h"

ProgressDialog::ProgressDialog(CWnd* parent)
    : MessageMapped(IDD_PROGRESS, parent), shown_(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

ProgressDialog::~ProgressDialog()
{
    if (shown_)
        ::CloseHandle(shown_);
}

const MessageMap<ProgressDialog>& ProgressDialog::GetMessageMap()
{
    static constexpr MessageRoute<ProgressDialog> messages[] = {{WM_SHOWWINDOW, &ProgressDialog::OnShowWindow}};
    static const MessageMap<ProgressDialog> map{{}, messages};
    return map;
}

void ProgressDialog::Prepare(AbortFlag& abort)
{
    abort_ = &abort;
    shownWindow_ = nullptr;
    ::ResetEvent(shown_);
}

HWND ProgressDialog::WaitUntilShown() const
{
    ::WaitForSingleObject(shown_, INFINITE);
    return shownWindow_;
}

void ProgressDialog::Release()
{
    ::SetEvent(shown_);
}

void ProgressDialog::OnCancel()
{
    if (abort_)
        *abort_ = true;
    CDialog::OnCancel();
}

LRESULT ProgressDialog::OnShowWindow(WPARAM shown, LPARAM)
{
    // Texts sent from the worker are handled by this thread only after the showing is done.
    if (shown && !shownWindow_) {
        shownWindow_ = m_hWnd;
        ::SetEvent(shown_);
    }
    return 0;
}
