#pragma once
// The replace list editor: one replace list as a table of three columns, with a menu, a
// toolbar, a bar with the list's path and a status bar with the number of patterns. The
// rows live only in its list view. It keeps its owner disabled while it is open, tells the
// owner which list it showed when it closes (WM_LISTEDITCLOSED), and frees itself when its
// window is destroyed.
#include <string>

#include "editor/PatternEditDialog.h"
#include "editor/PatternRows.h"
#include "framework/DialogBar.h"
#include "framework/FrameWnd.h"
#include "framework/ListCtrl.h"
#include "framework/MessageMap.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"
#include "lists/ListEditRules.h"
#include "lists/ListRow.h"

class BregexpLibrary;

// The list path of a list that has no file yet.
inline constexpr char NewListPath[] = "new file";

// The columns of the list view: a row's columns are the fields of a list line.
inline constexpr int ListFindColumn = 0;
inline constexpr int ListReplaceColumn = 1;
inline constexpr int ListOptionsColumn = 2;

class CListEditWnd : public MessageMapped<CListEditWnd, CFrameWnd>, public PatternRows {
public:
    // The editor of the list at `listPath`, taken in the program directory unless it is
    // absolute; the file need not exist. A file that exists but cannot be read is not taken
    // as the list's own: the editor starts as a new list. Its window is made by LoadFrame
    // (OpenListEditor).
    CListEditWnd(const std::string& listPath, const BregexpLibrary* regexLibrary);
    ~CListEditWnd() override;

    static const MessageMap<CListEditWnd>& GetMessageMap();

    bool IsCommandEnabled(int id) const override;

    bool IsModified() const { return modified_; }
    const std::string& ListPath() const { return listPath_; }
    const std::string& CutBuffer() const { return cutBuffer_; }
    bool HasDragCursor() const { return dragCursor_ != nullptr; }
    CListCtrl& ListView() { return listView_; }
    CToolBar& ToolBar() { return toolBar_; }
    CStatusBar& StatusBar() { return statusBar_; }
    CDialogBar& PathBar() { return pathBar_; }
    CPatternEditDialog& PatternDialog() { return patternDialog_; }
    ListRows Rows() const;

    // The rows as the pattern edit dialog reaches them; a row of the list view is read as
    // the list file would hold it.
    int SelectedRow() const override;
    int RowCount() const override;
    ListRow RowAt(int index) const override;
    void InsertRow(int index, const ListRow& row) override;
    void SetRow(int index, const ListRow& row) override;
    void SelectRow(int index) override;
    void SetModified() override { SetModifiedFlag(true); }

protected:
    // The list view has its own client edge; the frame goes without.
    bool PreCreateWindow(CREATESTRUCTW& create) override;
    bool OnCreate(const CREATESTRUCTW& create) override;
    void PostNcDestroy() override;
    // "総数 : %d件" with the number of rows.
    std::string GetIdleText() const override;

private:
    friend CListEditWnd* OpenListEditor(CWnd& owner, const std::string& listPath, const BregexpLibrary* regexLibrary);

    void OnNew();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    // Writes the rows to `path`, telling the user when that failed: whether it did not.
    bool SaveTo(const std::string& path);
    void OnExit();
    void OnInsert();
    void OnEdit();
    void OnDelete();
    void OnCut();
    void OnPaste();
    void OnMoveUp();
    void OnMoveDown();
    void OnLoadFromFile();
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLeftButtonUp(WPARAM, LPARAM);
    LRESULT OnRowInserted(NMHDR*);
    LRESULT OnRowChanged(NMHDR*);
    LRESULT OnBeginDrag(NMHDR*);
    LRESULT OnDoubleClick(NMHDR*);

    bool CreateParts();
    // The modified flag, which the title shows.
    void SetModifiedFlag(bool modified);
    void PlaceWindow();
    // The save prompt when the rows were changed; true when the caller may go on.
    bool SaveModifiedList();
    enum class ListFileDialog { OpenList, SaveList, LoadPatterns };
    // The file dialog for `purpose`, in the program directory; the chosen path, or empty.
    std::string ChooseFile(ListFileDialog purpose);
    // Appends the rows, repainting after each, so a long list fills the view visibly.
    void AppendRows(const ListRows& rows);
    // The message box that names a list file which cannot be read, with what follows.
    void TellUnreadable(const std::string& path, UINT whatFollows) const;
    void SetListPath(const std::string& path);
    void SelectFirstRow() const;
    // After a row went: the row that now has the keyboard focus becomes selected.
    void SelectFocusedRow() const;
    void MoveSelectedRow(int offset);
    void DragTo(POINT point);
    ListEditSelection Selection() const;

    bool modified_ = false;
    CStatusBar statusBar_;
    CListCtrl listView_;
    CToolBar toolBar_;
    CDialogBar pathBar_;
    HCURSOR dragCursor_ = nullptr;
    std::string cutBuffer_;
    std::string listPath_;
    // The list the editor was opened on, when it exists but cannot be read: the editor
    // starts as a new list instead, and says so once it is shown.
    std::string unreadableList_;
    CPatternEditDialog patternDialog_;
    const BregexpLibrary* regexLibrary_;
    bool freeWithWindow_ = false;
};

// Opens an editor on `listPath` owned by `owner` (the main window or the settings dialog):
// shown, painted and focused. The owner stays disabled until the editor closes, then gets
// WM_LISTEDITCLOSED with the editor's list path. The editor frees itself when its window is
// destroyed. Null, with the owner enabled, when the window cannot be made.
CListEditWnd* OpenListEditor(CWnd& owner, const std::string& listPath, const BregexpLibrary* regexLibrary);
