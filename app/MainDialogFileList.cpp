// The main dialog's file list: the ways files get in and out, its context menu and keys.
// The rules themselves are FileList's; here they meet the window.
#include "app/MainDialog.h"

#include <windowsx.h>

#include "app/SettingsStore.h"
#include "framework/DroppedFiles.h"
#include "framework/FileDialog.h"
#include "framework/KeyState.h"
#include "framework/Menu.h"
#include "framework/Resources.h"
#include "framework/Shell.h"
#include "platform/CurrentDirectory.h"
#include "platform/DoubleByte.h"
#include "resources/ResourceIds.h"

namespace {

// The add dialog starts with room for this many bytes of chosen names, and grows.
constexpr std::size_t AddDialogBufferSize = 10000;
// The folder the add dialog opens in is kept to what its setting holds.
constexpr std::size_t LastAddFolderLimit = 259;

}  // namespace

BatchKeys CMainDialog::HeldKeys() const
{
    return {IsKeyDown(VK_SHIFT), IsKeyDown(VK_CONTROL)};
}

void CMainDialog::LaunchProgram(const ProcessStart& start)
{
    StartProgram(start.CommandLine, start.WorkingFolder);
}

void CMainDialog::OpenWithAssociatedProgram(const std::string& path)
{
    ::OpenWithAssociatedProgram(path, FolderOfEntry(path), m_hWnd);
}

void CMainDialog::OnAddFiles()
{
    const std::string allowed = settings_.ReadText(Setting::AbleExt);
    const std::string filter = LoadResourceString(IDS_ADD_FILES_TEXT_FILTER) + allowed + ")|" + allowed +
                               LoadResourceString(IDS_ADD_FILES_ALL_FILTER);
    CFileDialog dialog(filter, LoadResourceString(IDS_ADD_FILES_TITLE), lastAddFolder_,
                       OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, AddDialogBufferSize);
    if (!dialog.DoModal(m_hWnd))
        return;
    GotoDlgCtrl(GetDlgItem(IDC_FILE_LIST));
    // The folder of the chosen files, also where one was typed with its whole path: the
    // dialog leaves the current directory at the folder it showed.
    const std::vector<std::string>& chosen = dialog.GetFileNames();
    std::string folder = chosen.empty() ? std::string() : FolderOfEntry(chosen.front());
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    if (folder.empty())
        folder = platform::CurrentDirectory();
    lastAddFolder_ = std::string(LeadingCharacters(folder, LastAddFolderLimit));
    AddChosenFiles(fileList_, dialog.GetFileNames(), dialog.GetRefusedNames());
}

void CMainDialog::OnRemoveFiles()
{
    fileList_.RemoveSelected();
}

void CMainDialog::OnOpenInEditor()
{
    const std::string editor = settings_.ReadText(Setting::Editor);
    for (const std::string& entry : EntriesToOpen(fileListBox_))
        LaunchProgram(EditorStart(editor, entry));
}

void CMainDialog::OnOpenWithAssociation()
{
    for (const std::string& entry : EntriesToOpen(fileListBox_))
        OpenWithAssociatedProgram(entry);
}

void CMainDialog::OnInvertSelection()
{
    fileList_.InvertSelection();
}

void CMainDialog::OnSelectAll()
{
    fileList_.SelectAll();
}

LRESULT CMainDialog::OnDropFiles(WPARAM wParam, LPARAM)
{
    const std::vector<platform::SystemName> items = TakeDroppedFiles(reinterpret_cast<HDROP>(wParam));
    GotoDlgCtrl(GetDlgItem(IDC_FILE_LIST));
    AddDroppedItems(fileList_, items, HeldKeys());
    return 0;
}

LRESULT CMainDialog::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    HWND list = GetDlgItem(IDC_FILE_LIST);
    if (reinterpret_cast<HWND>(wParam) != list || fileListBox_.Count() == 0)
        return 0;
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // Asked for from the keyboard: at the list's corner.
    if (at.x == -1 && at.y == -1) {
        RECT corner;
        ::GetWindowRect(list, &corner);
        at = {corner.left, corner.top};
    } else {
        SelectEntryAt(at);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDM_FILE_LIST))
        return 0;
    HMENU popup = menu.GetSubMenu(0);
    const bool canOpen = CanOpenSelection(fileListBox_);
    EnableMenuCommand(popup, ID_FILE_OPEN_EDITOR, canOpen);
    EnableMenuCommand(popup, ID_FILE_OPEN_ASSOCIATED, canOpen);
    EnableMenuCommand(popup, ID_FILE_REMOVE, SelectedCount(fileListBox_) > 0);
    ::SetMenuDefaultItem(popup, ID_FILE_OPEN_EDITOR, FALSE);
    ::SetForegroundWindow(m_hWnd);
    TrackPopupMenu(popup, at, m_hWnd);
    PostMessage(WM_USER);
    return 0;
}

void CMainDialog::SelectEntryAt(POINT screen)
{
    // The menu is about the entry under the pointer: one not selected becomes the only
    // selected entry; a selected one keeps the selection it belongs to.
    const CListBox list(GetDlgItem(IDC_FILE_LIST));
    POINT client = screen;
    ::ScreenToClient(list.m_hWnd, &client);
    const LRESULT hit = list.SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
    if (HIWORD(hit) != 0)
        return;
    const int index = LOWORD(hit);
    if (list.GetSel(index))
        return;
    fileList_.DeselectAll();
    list.SetSel(index);
    list.SetCaretIndex(index);
}

void CMainDialog::OnFileListKey(WPARAM key)
{
    if (key == VK_DELETE) {
        OnRemoveFiles();
        return;
    }
    // The state of Ctrl when this key was pressed.
    if (::GetKeyState(VK_CONTROL) >= 0)
        return;
    switch (key) {
    case 'A':
        OnSelectAll();
        break;
    case 'O':
        OnOpenInEditor();
        break;
    case 'R':
        OnOpenWithAssociation();
        break;
    case 'T':
        OnInvertSelection();
        break;
    default:
        break;
    }
}
