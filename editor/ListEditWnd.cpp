#include "editor/ListEditWnd.h"

#include <cstdio>
#include <vector>

#include "editor/ListEditClosed.h"
#include "framework/BorrowedCursor.h"
#include "framework/Dpi.h"
#include "framework/FileDialog.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "lists/ListFile.h"
#include "lists/ListImport.h"
#include "lists/ListLocations.h"
#include "lists/RowText.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int ToolBarId = 0xE800;
constexpr int StatusBarId = 0xE801;
constexpr int PathBarId = 0xE805;

constexpr int WindowWidth = 484;
constexpr int WindowHeight = 384;
constexpr int PathTextHeight = 18;
constexpr SIZE ToolBarImageSize{16, 15};
constexpr DWORD DragScrollPauseMs = 100;

constexpr int ToolBarCommands[] = {
    ID_LIST_NEW,    ID_LIST_OPEN,       ID_LIST_SAVE,        ToolBarSeparator,   ID_PATTERN_INSERT,
    ID_PATTERN_EDIT, ID_PATTERN_DELETE, ToolBarSeparator,    ID_PATTERN_CUT,     ID_PATTERN_PASTE,
    ToolBarSeparator, ID_PATTERN_MOVE_UP, ID_PATTERN_MOVE_DOWN,
};

constexpr struct {
    UINT Heading;
    int Width;  // pixels at 100 %
} Columns[] = {{IDS_FIND_COLUMN, 200}, {IDS_REPLACE_COLUMN, 200}, {IDS_OPTIONS_COLUMN, 56}};

// The cursor shown while a row is dragged: borrowed from the system's drag and drop.
constexpr char DragCursorModule[] = "ole32.dll";
constexpr UINT DragCursorId = 2;

}  // namespace

CListEditWnd::CListEditWnd(const std::string& listPath, const BregexpLibrary* regexLibrary)
    : dragCursor_(BorrowCursor(DragCursorModule, DragCursorId)),
      listPath_(ResolveListPath(listPath)),
      regexLibrary_(regexLibrary)
{
}

CListEditWnd::~CListEditWnd()
{
    if (dragCursor_)
        ::DestroyCursor(dragCursor_);
}

const MessageMap<CListEditWnd>& CListEditWnd::GetMessageMap()
{
    static constexpr CommandRoute<CListEditWnd> commands[] = {
        {ID_LIST_NEW, 0, &CListEditWnd::OnNew},
        {ID_LIST_OPEN, 0, &CListEditWnd::OnOpen},
        {ID_LIST_SAVE, 0, &CListEditWnd::OnSave},
        {ID_LIST_SAVE_AS, 0, &CListEditWnd::OnSaveAs},
        {ID_LIST_EXIT, 0, &CListEditWnd::OnExit},
        {ID_PATTERN_INSERT, 0, &CListEditWnd::OnInsert},
        {ID_PATTERN_EDIT, 0, &CListEditWnd::OnEdit},
        {ID_PATTERN_DELETE, 0, &CListEditWnd::OnDelete},
        {ID_PATTERN_CUT, 0, &CListEditWnd::OnCut},
        {ID_PATTERN_PASTE, 0, &CListEditWnd::OnPaste},
        {ID_PATTERN_MOVE_UP, 0, &CListEditWnd::OnMoveUp},
        {ID_PATTERN_MOVE_DOWN, 0, &CListEditWnd::OnMoveDown},
        {ID_LIST_LOAD_FROM_FILE, 0, &CListEditWnd::OnLoadFromFile},
    };
    static constexpr MessageRoute<CListEditWnd> messages[] = {
        {WM_CLOSE, &CListEditWnd::OnClose},
        {WM_SIZE, &CListEditWnd::OnSize},
        {WM_SETFOCUS, &CListEditWnd::OnSetFocus},
        {WM_MOUSEMOVE, &CListEditWnd::OnMouseMove},
        {WM_LBUTTONUP, &CListEditWnd::OnLeftButtonUp},
    };
    static constexpr NotifyRoute<CListEditWnd> notifications[] = {
        {FramePaneId, LVN_INSERTITEM, &CListEditWnd::OnRowInserted},
        {FramePaneId, LVN_ITEMCHANGED, &CListEditWnd::OnRowChanged},
        {FramePaneId, LVN_BEGINDRAG, &CListEditWnd::OnBeginDrag},
        {FramePaneId, NM_DBLCLK, &CListEditWnd::OnDoubleClick},
    };
    static const MessageMap<CListEditWnd> map{commands, messages, notifications};
    return map;
}

bool CListEditWnd::IsCommandEnabled(int id) const
{
    return IsListCommandEnabled(id, Selection());
}

ListRows CListEditWnd::Rows() const
{
    ListRows rows;
    const int count = listView_.GetItemCount();
    for (int index = 0; index < count; ++index)
        rows.push_back(RowAt(index));
    return rows;
}

bool CListEditWnd::PreCreateWindow(CREATESTRUCTW& create)
{
    create.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    return CFrameWnd::PreCreateWindow(create);
}

bool CListEditWnd::OnCreate(const CREATESTRUCTW&)
{
    HWND owner = GetOwnerWindow();
    if (owner)
        ::EnableWindow(owner, FALSE);
    if (CreateParts())
        return true;
    if (owner)
        ::EnableWindow(owner, TRUE);
    return false;
}

bool CListEditWnd::CreateParts()
{
    if (!listView_.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                              LVS_NOSORTHEADER,
                          WS_EX_CLIENTEDGE, m_hWnd, FramePaneId))
        return false;
    // Each heading whole in the font the header has; the two texts give up what that adds.
    std::vector<std::string> headings;
    std::vector<int> preferred;
    std::vector<int> needed;
    const UINT dpi = WindowDpi(m_hWnd);
    for (const auto& column : Columns) {
        headings.push_back(LoadResourceString(column.Heading));
        preferred.push_back(ScaledToDpi(column.Width, dpi));
        needed.push_back(listView_.WidthToShowHeading(headings.back()));
    }
    const std::vector<int> widths = FitColumnWidths(preferred, needed, 2);
    for (std::size_t column = 0; column < headings.size(); ++column)
        listView_.InsertColumn(static_cast<int>(column), headings[column], LVCFMT_LEFT, widths[column]);
    ListRows rows;
    if (AppendListRows(listPath_, rows)) {
        AppendRows(rows);
    } else if (platform::PathExists(listPath_)) {
        // A save would overwrite what could not be read.
        unreadableList_ = listPath_;
        listPath_ = NewListPath;
    }
    SelectFirstRow();
    listView_.SetExtendedStyle(LVS_EX_FULLROWSELECT);

    if (!toolBar_.Create(*this, ToolBarId) || !toolBar_.LoadButtons(IDR_LIST_EDIT, ToolBarImageSize, ToolBarCommands))
        return false;
    DockBar(toolBar_, BarEdge::Top);
    if (!pathBar_.Create(*this, IDD_LIST_PATH_BAR, PathBarId))
        return false;
    DockBar(pathBar_, BarEdge::Top);
    pathBar_.SetDlgItemText(IDC_LIST_PATH, listPath_);
    if (!statusBar_.Create(*this, StatusBarId))
        return false;
    DockStatusBar(statusBar_);
    ShowIdleText();

    if (!patternDialog_.Create(*this, *this, regexLibrary_))
        return false;
    PlaceWindow();
    return true;
}

void CListEditWnd::PlaceWindow()
{
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The size at 100 %, grown with the window's scale.
    const UINT dpi = WindowDpi(m_hWnd);
    const int width = ScaledToDpi(WindowWidth, dpi);
    const int height = ScaledToDpi(WindowHeight, dpi);
    const int left = work.left + (work.right - work.left) / 2 - width / 2;
    const int top = work.top + (work.bottom - work.top) / 2 - height / 2;
    SetWindowPos(nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT frame = GetWindowRect();
    const RECT dialog = patternDialog_.GetWindowRect();
    const int dialogWidth = dialog.right - dialog.left;
    const int dialogHeight = dialog.bottom - dialog.top;
    patternDialog_.SetWindowPos(nullptr, frame.left + (frame.right - frame.left - dialogWidth) / 2,
                                frame.top + (frame.bottom - frame.top - dialogHeight) / 2, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CListEditWnd::PostNcDestroy()
{
    if (freeWithWindow_)
        delete this;
}

std::string CListEditWnd::GetIdleText() const
{
    char text[32];
    std::snprintf(text, sizeof text, LoadResourceString(IDS_LIST_COUNT).c_str(), listView_.GetItemCount());
    return text;
}

void CListEditWnd::OnNew()
{
    if (!SaveModifiedList())
        return;
    SetListPath(NewListPath);
    listView_.DeleteAllItems();
    UpdateCommandStates();
}

void CListEditWnd::OnOpen()
{
    if (!SaveModifiedList())
        return;
    const std::string path = ChooseFile(ListFileDialog::OpenList);
    if (path.empty())
        return;
    ListRows rows;
    if (!AppendListRows(path, rows)) {
        TellUnreadable(path, IDS_LIST_NOT_READ);
        return;
    }
    SetListPath(path);
    listView_.DeleteAllItems();
    AppendRows(rows);
    SelectFirstRow();
    UpdateCommandStates();
}

void CListEditWnd::OnSave()
{
    if (listPath_ == NewListPath)
        OnSaveAs();
    else
        SaveTo(listPath_);
}

void CListEditWnd::OnSaveAs()
{
    // The editor takes the new name only once the list is there: a name that could not be
    // saved under would be where the next save went.
    const std::string path = ChooseFile(ListFileDialog::SaveList);
    if (!path.empty() && SaveTo(path))
        SetListPath(path);
}

bool CListEditWnd::SaveTo(const std::string& path)
{
    const ListWriteResult result = SaveListFile(path, Rows());
    if (result == ListWriteResult::Written) {
        SetModifiedFlag(false);
        return true;
    }
    // A read-only list is a choice, not an accident: the user may save under another name.
    if (platform::IsReadOnlyFile(path)) {
        if (AppMessageBox(path + "\n" + LoadResourceString(IDS_LIST_READ_ONLY), MB_YESNO | MB_ICONEXCLAMATION,
                          LoadResourceString(IDS_PROGRAM_NAME), m_hWnd) == IDYES)
            OnSaveAs();
        return false;
    }
    // The file error box: the file, then what went wrong with it.
    const UINT reason = result == ListWriteResult::CreateFailed ? IDS_LIST_NOT_CREATED : IDS_LIST_NOT_WRITTEN;
    AppMessageBox(path + "\n" + LoadResourceString(reason), MB_OK | MB_ICONEXCLAMATION, std::string(), m_hWnd);
    return false;
}

void CListEditWnd::OnExit()
{
    SendMessage(WM_CLOSE);
}

void CListEditWnd::OnInsert()
{
    patternDialog_.Open(PatternEditMode::Add);
}

void CListEditWnd::OnEdit()
{
    patternDialog_.Open(PatternEditMode::Edit);
}

void CListEditWnd::OnDelete()
{
    const int selected = listView_.GetSelectedItem();
    const ListRow row = RowAt(selected);
    const std::string question = LoadResourceString(IDS_PATTERN_DELETE_QUESTION) + "\n\n" +
                                 LoadResourceString(IDS_FIND_COLUMN) + "： " + row.Find + "\n" +
                                 LoadResourceString(IDS_REPLACE_COLUMN) + "： " + row.Replace;
    if (AppMessageBox(question, MB_YESNO | MB_ICONQUESTION, LoadResourceString(IDS_PATTERN_DELETE_CAPTION), m_hWnd) !=
        IDYES)
        return;
    listView_.DeleteItem(selected);
    SelectFocusedRow();
    SetModifiedFlag(true);
    ShowIdleText();
}

void CListEditWnd::OnCut()
{
    const int selected = listView_.GetSelectedItem();
    cutBuffer_ = RowTextOf(RowAt(selected));
    listView_.DeleteItem(selected);
    ShowIdleText();
    SelectFocusedRow();
    SetModifiedFlag(true);
}

void CListEditWnd::OnPaste()
{
    const int selected = listView_.GetSelectedItem();
    const int target = selected >= 0 ? selected : listView_.GetItemCount();
    InsertRow(target, RowFromText(cutBuffer_));
    cutBuffer_.clear();
    listView_.SelectAndFocus(target);
    SetModifiedFlag(true);
}

void CListEditWnd::OnMoveUp()
{
    MoveSelectedRow(-1);
}

void CListEditWnd::OnMoveDown()
{
    MoveSelectedRow(1);
}

void CListEditWnd::OnLoadFromFile()
{
    const std::string path = ChooseFile(ListFileDialog::LoadPatterns);
    if (path.empty())
        return;
    ListRows rows;
    const ListImport import = ImportListRows(path, rows);
    if (import.Outcome == ImportOutcome::Unreadable) {
        TellUnreadable(path, IDS_LIST_NOT_READ);
        return;
    }
    if (import.Outcome == ImportOutcome::NotConvertible) {
        AppMessageBox(path + "\n" + std::string(EncodingName(import.Encoding)) +
                          LoadResourceString(IDS_LIST_NOT_CONVERTIBLE),
                      MB_OK | MB_ICONEXCLAMATION, LoadResourceString(IDS_PROGRAM_NAME), m_hWnd);
        return;
    }
    SetModifiedFlag(true);
    AppendRows(rows);
}

LRESULT CListEditWnd::OnClose(WPARAM, LPARAM)
{
    if (!SaveModifiedList())
        return 0;
    if (HWND owner = GetOwnerWindow()) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
        ::SendMessageW(owner, WM_LISTEDITCLOSED, reinterpret_cast<WPARAM>(listPath_.c_str()), 0);
    }
    // The object may be gone once this returns.
    DestroyWindow();
    return 0;
}

LRESULT CListEditWnd::OnSize(WPARAM, LPARAM)
{
    const RECT client = GetClientRect();
    ::SetWindowPos(pathBar_.GetDlgItem(IDC_LIST_PATH), nullptr, 0, 0, client.right,
                   ScaledToDpi(PathTextHeight, WindowDpi(m_hWnd)),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    statusBar_.SetPaneWidth(client.right);
    return 0;
}

LRESULT CListEditWnd::OnSetFocus(WPARAM, LPARAM)
{
    listView_.SetFocus();
    return 0;
}

LRESULT CListEditWnd::OnMouseMove(WPARAM, LPARAM lParam)
{
    if (::GetCapture() != m_hWnd)
        return 0;
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::MapWindowPoints(m_hWnd, listView_.m_hWnd, &point, 1);
    DragTo(point);
    return 0;
}

LRESULT CListEditWnd::OnLeftButtonUp(WPARAM, LPARAM)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return 0;
}

LRESULT CListEditWnd::OnRowInserted(NMHDR*)
{
    ShowIdleText();
    return 0;
}

LRESULT CListEditWnd::OnRowChanged(NMHDR*)
{
    if (!patternDialog_.m_hWnd)
        return 0;
    toolBar_.UpdateCommandStates(*this);
    if (patternDialog_.IsWindowVisible() && !patternDialog_.IsAddMode())
        patternDialog_.Show(PatternEditMode::Edit);
    return 0;
}

LRESULT CListEditWnd::OnBeginDrag(NMHDR*)
{
    if (dragCursor_)
        ::SetCursor(dragCursor_);
    ::SetCapture(m_hWnd);
    return 0;
}

LRESULT CListEditWnd::OnDoubleClick(NMHDR*)
{
    OnEdit();
    return 0;
}

bool CListEditWnd::SaveModifiedList()
{
    if (!modified_)
        return true;
    switch (AppMessageBox(LoadResourceString(IDS_LIST_SAVE_PROMPT), MB_YESNOCANCEL | MB_ICONEXCLAMATION,
                          LoadResourceString(IDS_PROGRAM_NAME), m_hWnd)) {
    case IDYES:
        OnSave();
        break;
    case IDNO:
        SetModifiedFlag(false);
        break;
    default:
        break;
    }
    return !modified_;
}

std::string CListEditWnd::ChooseFile(ListFileDialog purpose)
{
    const bool anyFile = purpose == ListFileDialog::LoadPatterns;
    CFileDialog dialog(LoadResourceString(anyFile ? IDS_ALL_FILES_FILTER : IDS_LIST_FILTER), std::string(),
                       platform::GetProgramDirectory(),
                       OFN_HIDEREADONLY |
                           (purpose == ListFileDialog::SaveList ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST),
                       MAX_PATH);
    dialog.SetDefaultExtension(anyFile ? "*.*" : "*.lst");
    if (purpose == ListFileDialog::SaveList)
        dialog.SetForSaving();
    if (!dialog.DoModal(m_hWnd) || TellRefusedNames(dialog, LoadResourceString(IDS_NAMES_NOT_CARRIED), m_hWnd) ||
        dialog.GetFileNames().empty())
        return std::string();
    return dialog.GetFileNames().front();
}

void CListEditWnd::TellUnreadable(const std::string& path, UINT whatFollows) const
{
    AppMessageBox(path + "\n" + LoadResourceString(whatFollows), MB_OK | MB_ICONEXCLAMATION, std::string(), m_hWnd);
}

void CListEditWnd::AppendRows(const ListRows& rows)
{
    for (const ListRow& row : rows) {
        InsertRow(listView_.GetItemCount(), row);
        ::UpdateWindow(listView_.m_hWnd);
    }
}

void CListEditWnd::SetListPath(const std::string& path)
{
    listPath_ = path;
    pathBar_.SetDlgItemText(IDC_LIST_PATH, listPath_);
}

void CListEditWnd::SelectFirstRow() const
{
    if (listView_.GetItemCount() > 0)
        listView_.SelectAndFocus(0);
}

void CListEditWnd::SelectFocusedRow() const
{
    const int focused = listView_.GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0)
        listView_.SetItemState(focused, LVIS_SELECTED, LVIS_SELECTED);
}

void CListEditWnd::MoveSelectedRow(int offset)
{
    const int selected = listView_.GetSelectedItem();
    const int other = selected + offset;
    const ListRow moved = RowAt(selected);
    const ListRow displaced = RowAt(other);
    SetRow(selected, displaced);
    SetRow(other, moved);
    listView_.SelectAndFocus(other);
    listView_.EnsureVisible(other, false);
    SetModifiedFlag(true);
}

void CListEditWnd::DragTo(POINT point)
{
    const int source = listView_.GetSelectedItem();
    int target = listView_.HitTest(point);
    const DragStep step = PlanDragStep(point.y, listView_.GetHeaderHeight(), listView_.GetClientRect().bottom);
    if (step.Scroll != DragScroll::None) {
        listView_.ScrollLines(step.Scroll == DragScroll::Up ? -1 : 1);
        if (step.Pause)
            ::Sleep(DragScrollPauseMs);
    }
    if (step.Target == DragTarget::TopVisibleRow)
        target = listView_.GetTopIndex();
    else if (step.Target == DragTarget::LastVisibleRow)
        target = listView_.GetTopIndex() + listView_.GetCountPerPage() - 1;
    if (source < 0 || target < 0 || target >= listView_.GetItemCount() || target == source)
        return;
    SetModifiedFlag(true);
    const std::string rowText = RowTextOf(RowAt(source));
    // Deleted first, so the row lands exactly at the index under the pointer.
    listView_.SetRedraw(false);
    listView_.DeleteItem(source);
    InsertRow(target, RowFromText(rowText));
    listView_.SelectAndFocus(target);
    listView_.SetRedraw(true);
    ::InvalidateRect(listView_.m_hWnd, nullptr, TRUE);
    ::UpdateWindow(listView_.m_hWnd);
}

ListRow CListEditWnd::RowAt(int index) const
{
    return ListRow{listView_.GetItemText(index, ListFindColumn), listView_.GetItemText(index, ListReplaceColumn),
                   listView_.GetItemText(index, ListOptionsColumn)};
}

int CListEditWnd::SelectedRow() const
{
    return listView_.GetSelectedItem();
}

int CListEditWnd::RowCount() const
{
    return listView_.GetItemCount();
}

void CListEditWnd::InsertRow(int index, const ListRow& row)
{
    const int inserted = listView_.InsertItem(index, row.Find);
    listView_.SetItemText(inserted, ListReplaceColumn, row.Replace);
    listView_.SetItemText(inserted, ListOptionsColumn, row.Options);
}

void CListEditWnd::SelectRow(int index)
{
    listView_.SelectAndFocus(index);
    listView_.EnsureVisible(index, false);
}

void CListEditWnd::SetModifiedFlag(bool modified)
{
    modified_ = modified;
    // The title marks a list with changes not yet saved.
    const std::string title = LoadResourceString(IDR_LIST_EDIT);
    SetWindowText(modified ? "*" + title : title);
}

void CListEditWnd::SetRow(int index, const ListRow& row)
{
    listView_.SetItemText(index, ListFindColumn, row.Find);
    listView_.SetItemText(index, ListReplaceColumn, row.Replace);
    listView_.SetItemText(index, ListOptionsColumn, row.Options);
}

ListEditSelection CListEditWnd::Selection() const
{
    if (!listView_.m_hWnd)
        return {};
    return {listView_.GetSelectedItem(), listView_.GetItemCount(), cutBuffer_.empty()};
}

CListEditWnd* OpenListEditor(CWnd& owner, const std::string& listPath, const BregexpLibrary* regexLibrary)
{
    auto* editor = new CListEditWnd(listPath, regexLibrary);
    if (!editor->LoadFrame(IDR_LIST_EDIT, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, &owner)) {
        delete editor;
        return nullptr;
    }
    editor->freeWithWindow_ = true;
    editor->ShowWindow(SW_SHOW);
    ::UpdateWindow(editor->m_hWnd);
    editor->SetFocus();
    if (!editor->unreadableList_.empty())
        editor->TellUnreadable(editor->unreadableList_, IDS_LIST_NOT_READ_AS_NEW);
    return editor;
}
