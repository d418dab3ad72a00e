#include "app/ResultLogDialog.h"

#include "app/ChangeViewDialog.h"
#include "app/LogStatusWords.h"
#include "app/PreviewChanges.h"
#include "app/SettingsStore.h"
#include "app/WindowSize.h"
#include "app/LogFont.h"
#include "framework/Dpi.h"
#include "framework/Resources.h"
#include "resources/ResourceIds.h"

namespace {

// The widest line of the log, in characters of the fixed-pitch font.
constexpr std::size_t LogColumns = 54;
// The log's header: two lines before the first file's.
constexpr int HeaderLines = 2;

constexpr WindowSizeKeys SizeKeys{Setting::LogWidth, Setting::LogHeight};

// A status word without its padding and what it means, as "NotOpen：...".
std::string Explained(FileResult failure)
{
    std::string word = StatusWord(failure);
    word.erase(0, word.find_first_not_of(' '));
    return word + LoadResourceString(IDS_STATUS_MEANINGS - failure);
}

// Moves a child window `dx` pixels to the right and makes it `grow` pixels wider.
void Shift(HWND child, int dx, int grow)
{
    const RECT rect = RectInParent(child);
    ::SetWindowPos(child, nullptr, rect.left + dx, rect.top, rect.right - rect.left + grow, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CResultLogDialog::CResultLogDialog(CWnd* parent, SettingsStore& settings)
    : MessageMapped(IDD_RESULT_LOG, parent), settings_(settings), logBox_(*this)
{
}

const MessageMap<CResultLogDialog>& CResultLogDialog::GetMessageMap()
{
    static constexpr MessageRoute<CResultLogDialog> messages[] = {
        {WM_SIZE, &CResultLogDialog::OnSize},
        {WM_GETMINMAXINFO, &CResultLogDialog::OnGetMinMaxInfo},
        {WM_DPICHANGED, &CResultLogDialog::OnDpiChanged},
    };
    static const MessageMap<CResultLogDialog> map{{}, messages};
    return map;
}

LRESULT CResultLogDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    // The dialog's own font is scaled by the system; the log's is the program's.
    SetPointFontOf(GetDlgItem(IDC_RESULT_LOG_TEXT), font_, LogFontSize, LogFontFace, HIWORD(wParam));
    SetIconsForDpi(m_hWnd, IDI_MAIN, HIWORD(wParam));
    MoveToSuggestedRect(m_hWnd, lParam);
    return 0;
}

BOOL CResultLogDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIconsForDpi(m_hWnd, IDI_MAIN, WindowDpi(m_hWnd));
    // A preview says so whatever its ending; an aborted run or preview tells how many
    // listed files it did not reach.
    if (undoLog_) {
        SetWindowText(LoadResourceString(notProcessed_ ? IDS_UNDO_ABORTED_CAPTION : IDS_UNDO_CAPTION));
        SetDlgItemText(IDC_RESULT_LOG_LABEL, notProcessed_ ? LoadResourceString(IDS_UNDO_NOT_PROCESSED) +
                                                                 std::to_string(*notProcessed_) +
                                                                 LoadResourceString(IDS_FAILED_UNIT)
                                                           : LoadResourceString(IDS_UNDO_LABEL));
    } else if (preview_) {
        SetWindowText(LoadResourceString(IDS_PREVIEW_CAPTION));
        SetDlgItemText(IDC_RESULT_LOG_LABEL, LoadResourceString(IDS_PREVIEW_LABEL));
    } else if (notProcessed_) {
        SetWindowText(LoadResourceString(IDS_RESULT_LOG_ABORTED));
    }
    if (notProcessed_ && !undoLog_) {
        SetDlgItemText(IDC_RESULT_LOG_LABEL, LoadResourceString(IDS_RESULT_LOG_NOT_PROCESSED) +
                                                 std::to_string(*notProcessed_) + LoadResourceString(IDS_FAILED_UNIT));
    }
    ::EnableWindow(GetDlgItem(IDC_UNDO), undoable_ && !undoLog_ && !preview_);
    // The failures are the run's: an undo's log tells of its own files, and of those it left.
    if (undoLog_)
        ShowFilesLeft();
    else
        ShowFailures();
    HWND text = GetDlgItem(IDC_RESULT_LOG_TEXT);
    SetPointFontOf(text, font_, LogFontSize, LogFontFace, WindowDpi(m_hWnd));
    FitLogColumns(text);
    anchors_.Capture(m_hWnd, {{GetDlgItem(IDC_RESULT_LOG_LABEL), GrowWider},
                              {text, GrowWider | GrowTaller},
                              {GetDlgItem(IDC_RESULT_LOG_LINE), GrowWider | MoveDown},
                              {GetDlgItem(IDC_RESULT_LOG_LEGEND), GrowWider | MoveDown},
                              {GetDlgItem(IDOK), MoveHalfRight | MoveDown},
                              {GetDlgItem(IDC_UNDO), MoveHalfRight | MoveDown}});
    openedSize_ = RestoreWindowSize(m_hWnd, settings_, SizeKeys);
    logBox_.SubclassWindow(text);
    // The focus goes where the dialog would put it, but without selecting the whole log,
    // which would hide its columns under the highlight.
    ::SetFocus(text);
    ::SendMessageW(text, EM_SETSEL, 0, 0);
    ShowCaretLine();
    return FALSE;
}

void CResultLogDialog::ShowFailures()
{
    // A file a stop cut short is counted with those it did not reach, and explained below.
    const std::size_t failed = log_.FailedFiles() - log_.CancelledFiles();
    std::string legend;
    for (const FileResult failure : FailuresIn(log_.Text()))
        legend += (legend.empty() ? "" : "　") + Explained(failure);
    SetDlgItemText(IDC_RESULT_LOG_LEGEND, legend);
    if (failed == 0)
        return;
    const std::string count = std::to_string(failed);
    if (!preview_ && !notProcessed_)
        SetWindowText(LoadResourceString(IDS_RESULT_LOG_CAPTION_FAILED) + count + LoadResourceString(IDS_FAILED_UNIT));
    AppendToLabel(LoadResourceString(IDS_RESULT_LOG_FAILED) + count + LoadResourceString(IDS_FAILED_UNIT));
}

void CResultLogDialog::AppendToLabel(const std::string& count)
{
    // After the count of the files a stop left, on the label's second line, whole.
    SetDlgItemText(IDC_RESULT_LOG_LABEL, GetDlgItemText(IDC_RESULT_LOG_LABEL) + (notProcessed_ ? "\n" : "　") + count);
}

void CResultLogDialog::ShowFilesLeft()
{
    const std::size_t left = undoLog_->LeftFiles();
    if (left == 0)
        return;
    const std::string count = std::to_string(left);
    if (!notProcessed_)
        SetWindowText(LoadResourceString(IDS_UNDO_CAPTION_LEFT) + count + LoadResourceString(IDS_FAILED_UNIT));
    AppendToLabel(LoadResourceString(IDS_UNDO_LEFT) + count + LoadResourceString(IDS_FAILED_UNIT));
    std::string legend;
    for (const UndoResult result : {UndoResult::Changed, UndoResult::Missing, UndoResult::NotKept,
                                    UndoResult::NotOpen, UndoResult::WriteErr}) {
        if (!undoLog_->Shows(result))
            continue;
        std::string word = UndoWord(result);
        word.erase(0, word.find_first_not_of(' '));
        legend += (legend.empty() ? "" : "　") + word +
                  LoadResourceString(IDS_UNDO_MEANINGS + static_cast<UINT>(result));
    }
    SetDlgItemText(IDC_RESULT_LOG_LEGEND, legend);
}

std::optional<std::size_t> CResultLogDialog::CaretFileIndex() const
{
    HWND text = GetDlgItem(IDC_RESULT_LOG_TEXT);
    DWORD start = 0;
    ::SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const int line = static_cast<int>(::SendMessageW(text, EM_LINEFROMCHAR, start, 0)) - HeaderLines;
    if (line < 0 || static_cast<std::size_t>(line) >= log_.LoggedFiles() ||
        static_cast<std::size_t>(line) >= files_.size())
        return std::nullopt;
    return static_cast<std::size_t>(line);
}

std::string CResultLogDialog::CaretFile() const
{
    const std::optional<std::size_t> index = CaretFileIndex();
    return index ? files_[*index] : std::string();
}

std::string CResultLogDialog::CaretLineText() const
{
    const std::optional<std::size_t> index = CaretFileIndex();
    if (!index)
        return std::string();
    std::string shown = files_[*index];
    if (const std::optional<FileResult> failure = FailureOfLine(log_.Text(), static_cast<int>(*index) + HeaderLines))
        shown += "　" + Explained(*failure);
    if (changes_ && changes_->ChangesOf(files_[*index]))
        shown += LoadResourceString(IDS_CHANGES_HINT);
    return shown;
}

bool CResultLogDialog::OpenChangesAtCaret()
{
    const std::string file = CaretFile();
    const std::string* changes = changes_ && !file.empty() ? changes_->ChangesOf(file) : nullptr;
    if (!changes)
        return false;
    CChangeViewDialog(this, file, *changes).DoModal();
    return true;
}

bool CResultLogDialog::PreTranslateMessage(MSG& message)
{
    // Enter on a changed file's line of a preview opens its changes; elsewhere it is OK.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
        message.hwnd == GetDlgItem(IDC_RESULT_LOG_TEXT) && OpenChangesAtCaret())
        return true;
    return CDialog::PreTranslateMessage(message);
}

void CResultLogDialog::ShowCaretLine()
{
    SetDlgItemText(IDC_RESULT_LOG_LINE, CaretLineText());
}

bool CResultLogDialog::LogBox::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_SETFOCUS:
        result = Default();
        owner_.ShowCaretLine();
        return true;
    case WM_LBUTTONDBLCLK:
        result = Default();
        owner_.OpenChangesAtCaret();
        return true;
    default:
        return false;
    }
}

void CResultLogDialog::FitLogColumns(HWND text)
{
    // The box is as wide as the template says in dialog units, which need not hold a whole
    // log line in the fixed-pitch font: it is widened, with the dialog, until it does, so
    // that no line wraps or hides its count.
    const LRESULT margins = ::SendMessageW(text, EM_GETMARGINS, 0, 0);
    const int needed = TextWidthIn(text, std::string(LogColumns, '-')) + LOWORD(margins) + HIWORD(margins) + 2;
    RECT client;
    ::GetClientRect(text, &client);
    const int grow = needed - client.right;
    if (grow <= 0)
        return;
    Shift(text, 0, grow);
    for (const int id : {IDC_RESULT_LOG_LABEL, IDC_RESULT_LOG_LINE, IDC_RESULT_LOG_LEGEND})
        Shift(GetDlgItem(id), 0, grow);
    Shift(GetDlgItem(IDOK), grow / 2, 0);
    Shift(GetDlgItem(IDC_UNDO), grow / 2, 0);
    const RECT window = GetWindowRect();
    SetWindowPos(nullptr, 0, 0, window.right - window.left + grow, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CResultLogDialog::OnSize(WPARAM, LPARAM)
{
    anchors_.Apply();
    return 0;
}

LRESULT CResultLogDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    anchors_.LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

void CResultLogDialog::OnDestroy()
{
    RememberWindowSize(m_hWnd, settings_, SizeKeys, openedSize_);
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
