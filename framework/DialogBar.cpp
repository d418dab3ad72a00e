#include "framework/DialogBar.h"

#include "framework/Resources.h"

namespace {

// The bar's controls only show texts: the dialog manager does all there is to do.
INT_PTR CALLBACK BarProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

}  // namespace

bool CDialogBar::Create(const CWnd& parent, UINT templateId, int id)
{
    m_hWnd = ::CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId), parent.m_hWnd, BarProcedure, 0);
    if (!m_hWnd)
        return false;
    ::SetWindowLongPtrW(m_hWnd, GWLP_ID, id);
    const RECT rect = GetWindowRect();
    height_ = rect.bottom - rect.top;
    ShowWindow(SW_SHOW);
    return true;
}
