#include "about/AboutDialog.h"

#include "about/AboutLines.h"
#include "platform/FileSystem.h"
#include "platform/VersionInfo.h"
#include "resources/ResourceIds.h"

CAboutDialog::CAboutDialog(CWnd* parent) : CDialog(IDD_ABOUT, parent)
{
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const AboutLines lines = MakeAboutLines(platform::ReadVersionStrings(platform::ModulePath()));
    SetDlgItemText(IDC_ABOUT_PRODUCT, lines.Product);
    SetDlgItemText(IDC_ABOUT_LEGAL, lines.Legal);
    return TRUE;
}

void CAboutDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_ABOUT_WEB, webLink_);
    DDX_Control(dx, IDC_ABOUT_MAIL, mailLink_);
}

bool CAboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // A click beside the links (the plain texts and the icon take no clicks) takes the
        // focus away from them.
        ::SetFocus(GetDlgItem(IDOK));
        break;
    case WM_MOUSEACTIVATE:
        // The click that activates the dialog also comes up, so that a link clicked in an
        // inactive dialog opens at once.
        if (HIWORD(lParam) == WM_LBUTTONDOWN)
            ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        break;
    default:
        break;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}
