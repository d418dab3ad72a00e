#include "app/ChangeViewDialog.h"

#include "app/LogFont.h"
#include "framework/Dpi.h"
#include "framework/Resources.h"
#include "resources/ResourceIds.h"

CChangeViewDialog::CChangeViewDialog(CWnd* parent, std::string path, std::string diff)
    : MessageMapped(IDD_CHANGE_VIEW, parent), path_(std::move(path)), diff_(std::move(diff))
{
}

const MessageMap<CChangeViewDialog>& CChangeViewDialog::GetMessageMap()
{
    static constexpr MessageRoute<CChangeViewDialog> messages[] = {
        {WM_SIZE, &CChangeViewDialog::OnSize},
        {WM_GETMINMAXINFO, &CChangeViewDialog::OnGetMinMaxInfo},
        {WM_DPICHANGED, &CChangeViewDialog::OnDpiChanged},
    };
    static const MessageMap<CChangeViewDialog> map{{}, messages};
    return map;
}

LRESULT CChangeViewDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    // The dialog's own font is scaled by the system; the log's is the program's.
    SetPointFontOf(GetDlgItem(IDC_CHANGE_TEXT), font_, LogFontSize, LogFontFace, HIWORD(wParam));
    SetIconsForDpi(m_hWnd, IDI_MAIN, HIWORD(wParam));
    MoveToSuggestedRect(m_hWnd, lParam);
    return 0;
}

BOOL CChangeViewDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIconsForDpi(m_hWnd, IDI_MAIN, WindowDpi(m_hWnd));
    SetWindowText(LoadResourceString(IDS_CHANGE_VIEW_CAPTION) + path_);
    HWND text = GetDlgItem(IDC_CHANGE_TEXT);
    SetPointFontOf(text, font_, LogFontSize, LogFontFace, WindowDpi(m_hWnd));
    SetWindowTextOf(text, WithWindowsLineEnds(diff_));
    anchors_.Capture(m_hWnd, {{text, GrowWider | GrowTaller}, {GetDlgItem(IDOK), MoveHalfRight | MoveDown}});
    ::SetFocus(text);
    ::SendMessageW(text, EM_SETSEL, 0, 0);
    return FALSE;
}

LRESULT CChangeViewDialog::OnSize(WPARAM, LPARAM)
{
    anchors_.Apply();
    return 0;
}

LRESULT CChangeViewDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    anchors_.LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

std::string WithWindowsLineEnds(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            shown += '\r';
        shown += text[i];
    }
    return shown;
}
