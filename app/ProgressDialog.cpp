#include "app/ProgressDialog.h"

#include "resources/ResourceIds.h"

namespace {

// Posted to itself while it is created; it arrives once the dialog is shown.
constexpr UINT WM_PROGRESS_SHOWN = WM_APP + 1;

}  // namespace

ProgressDialog::ProgressDialog(CWnd* parent) : MessageMapped(IDD_PROGRESS, parent)
{
}

const MessageMap<ProgressDialog>& ProgressDialog::GetMessageMap()
{
    static constexpr MessageRoute<ProgressDialog> messages[] = {{WM_PROGRESS_SHOWN, &ProgressDialog::OnShown}};
    static const MessageMap<ProgressDialog> map{{}, messages};
    return map;
}

INT_PTR ProgressDialog::Show(AbortFlag& abort, std::function<bool(HWND)> shown)
{
    abort_ = &abort;
    shown_ = std::move(shown);
    const INT_PTR end = DoModal();
    shown_ = nullptr;
    return end;
}

BOOL ProgressDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::PostMessageW(m_hWnd, WM_PROGRESS_SHOWN, 0, 0);
    return TRUE;
}

void ProgressDialog::OnCancel()
{
    if (abort_)
        *abort_ = true;
    CDialog::OnCancel();
}

LRESULT ProgressDialog::OnShown(WPARAM, LPARAM)
{
    if (shown_ && !shown_(m_hWnd))
        EndDialog(-1);
    return 0;
}
