#include "app/ResultLogDialog.h"

#include "resources/ResourceIds.h"

CResultLogDialog::CResultLogDialog(CWnd* parent) : CDialog(IDD_RESULT_LOG, parent)
{
    font_.CreatePointFont(90, "ＭＳ ゴシック");
}

BOOL CResultLogDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SendMessageA(GetDlgItem(IDC_RESULT_LOG_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    return TRUE;
}

void CResultLogDialog::DoDataExchange(CDataExchange& dx)
{
    // The log is only shown: what the read-only box holds never goes back into it.
    std::string text = log_.Text();
    DDX_Text(dx, IDC_RESULT_LOG_TEXT, text);
}
