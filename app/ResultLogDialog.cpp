#include "app/ResultLogDialog.h"

#include "framework/Resources.h"
#include "resources/ResourceIds.h"

namespace {

// The widest line of the log, in characters of the fixed-pitch font.
constexpr std::size_t LogColumns = 54;

// Moves a child window `dx` pixels to the right and makes it `grow` pixels wider.
void Shift(HWND child, int dx, int grow)
{
    const RECT rect = RectInParent(child);
    ::SetWindowPos(child, nullptr, rect.left + dx, rect.top, rect.right - rect.left + grow, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CResultLogDialog::CResultLogDialog(CWnd* parent) : CDialog(IDD_RESULT_LOG, parent)
{
    font_.CreatePointFont(90, "ＭＳ ゴシック");
}

BOOL CResultLogDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A preview says so whatever its ending; an aborted run or preview tells how many
    // listed files it did not reach.
    if (undoLog_) {
        SetWindowText(LoadResourceString(notProcessed_ ? IDS_UNDO_ABORTED_CAPTION : IDS_UNDO_CAPTION));
        SetDlgItemText(IDC_RESULT_LOG_LABEL,
                       notProcessed_ ? LoadResourceString(IDS_UNDO_NOT_PROCESSED) + std::to_string(*notProcessed_)
                                     : LoadResourceString(IDS_UNDO_LABEL));
    } else if (preview_) {
        SetWindowText(LoadResourceString(IDS_PREVIEW_CAPTION));
        SetDlgItemText(IDC_RESULT_LOG_LABEL, LoadResourceString(IDS_PREVIEW_LABEL));
    } else if (notProcessed_) {
        SetWindowText(LoadResourceString(IDS_RESULT_LOG_ABORTED));
    }
    if (notProcessed_ && !undoLog_) {
        SetDlgItemText(IDC_RESULT_LOG_LABEL,
                       LoadResourceString(IDS_RESULT_LOG_NOT_PROCESSED) + std::to_string(*notProcessed_));
    }
    ::EnableWindow(GetDlgItem(IDC_UNDO), undoable_ && !undoLog_ && !preview_);
    HWND text = GetDlgItem(IDC_RESULT_LOG_TEXT);
    ::SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    FitLogColumns(text);
    // The focus goes where the dialog would put it, but without selecting the whole log,
    // which would hide its columns under the highlight.
    ::SetFocus(text);
    ::SendMessageA(text, EM_SETSEL, 0, 0);
    return FALSE;
}

void CResultLogDialog::FitLogColumns(HWND text)
{
    // The box is as wide as the template says in dialog units, which need not hold a whole
    // log line in the fixed-pitch font: it is widened, with the dialog, until it does, so
    // that no line wraps or hides its count.
    const LRESULT margins = ::SendMessageA(text, EM_GETMARGINS, 0, 0);
    const int needed = TextWidthIn(text, std::string(LogColumns, '-')) + LOWORD(margins) + HIWORD(margins) + 2;
    RECT client;
    ::GetClientRect(text, &client);
    const int grow = needed - client.right;
    if (grow <= 0)
        return;
    Shift(text, 0, grow);
    Shift(GetDlgItem(IDC_RESULT_LOG_LABEL), 0, grow);
    Shift(GetDlgItem(IDOK), grow / 2, 0);
    Shift(GetDlgItem(IDC_UNDO), grow / 2, 0);
    const RECT window = GetWindowRect();
    SetWindowPos(nullptr, 0, 0, window.right - window.left + grow, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CResultLogDialog::DoDataExchange(CDataExchange& dx)
{
    // The log is only shown: what the read-only box holds never goes back into it.
    std::string text = undoLog_ ? undoLog_->Text() : log_.Text();
    DDX_Text(dx, IDC_RESULT_LOG_TEXT, text);
}

bool CResultLogDialog::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_UNDO && code == BN_CLICKED) {
        EndDialog(IDC_UNDO);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}
