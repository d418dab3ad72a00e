#include "app/SettingsDialog.h"

#include "app/ReplaceListChoices.h"
#include "app/SettingsStore.h"
#include "editor/ListEditClosed.h"
#include "editor/ListEditWnd.h"
#include "framework/Controls.h"
#include "framework/FileDialog.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "platform/FileSearch.h"
#include "platform/ProgramDirectory.h"
#include "resources/ResourceIds.h"

namespace {

// The most the user may type as the editor or the sound.
constexpr int PathFieldLimit = 255;

}  // namespace

CSettingsDialog::CSettingsDialog(SettingsStore& settings, CWnd* parent, const BregexpLibrary* regexLibrary)
    : MessageMapped(IDD_SETTINGS, parent), settings_(settings), regexLibrary_(regexLibrary)
{
}

const MessageMap<CSettingsDialog>& CSettingsDialog::GetMessageMap()
{
    static constexpr CommandRoute<CSettingsDialog> commands[] = {
        {IDC_SETTINGS_BROWSE_EDITOR, BN_CLICKED, &CSettingsDialog::OnBrowseEditor},
        {IDC_SETTINGS_BROWSE_SOUND, BN_CLICKED, &CSettingsDialog::OnBrowseSound},
        {IDC_SETTINGS_EDIT_LIST, BN_CLICKED, &CSettingsDialog::OnEditList},
    };
    static constexpr MessageRoute<CSettingsDialog> messages[] = {
        {WM_LISTEDITCLOSED, &CSettingsDialog::OnListEditClosed},
    };
    static const MessageMap<CSettingsDialog> map{commands, messages};
    return map;
}

BOOL CSettingsDialog::OnInitDialog()
{
    // The first exchange, with the empty members, sets the typing limits.
    CDialog::OnInitDialog();
    values_ = ReadSettingsDialogValues(settings_);
    FillListCombo(settings_.ReadText(Setting::ReplaceList));
    UpdateData(false);
    return TRUE;
}

void CSettingsDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, IDC_SETTINGS_REMEMBER, values_.RememberLastPatterns);
    DDX_Check(dx, IDC_SETTINGS_SHOW_LOG, values_.ShowLog);
    DDX_Check(dx, IDC_SETTINGS_SUBFOLDERS, values_.WalkSubfolders);
    DDX_Text(dx, IDC_SETTINGS_EDITOR, values_.Editor);
    DDV_MaxChars(dx, IDC_SETTINGS_EDITOR, PathFieldLimit);
    DDX_Text(dx, IDC_SETTINGS_SOUND, values_.Sound);
    DDV_MaxChars(dx, IDC_SETTINGS_SOUND, PathFieldLimit);
    DDX_Text(dx, IDC_SETTINGS_EXTENSIONS, values_.Extensions);
    DDX_Check(dx, IDC_SETTINGS_BREGEXP, values_.WholeRegexByLibrary);
    DDX_Check(dx, IDC_SETTINGS_PRIORITY, values_.Background);
    DDX_Check(dx, IDC_SETTINGS_SHIFT_JIS_ONLY, values_.ShiftJisOnly);
}

void CSettingsDialog::OnOK()
{
    if (RefuseTextNotCarried({IDC_SETTINGS_EXTENSIONS, IDC_SETTINGS_EDITOR, IDC_SETTINGS_SOUND, IDC_SETTINGS_REPLACE_LIST},
                             LoadResourceString(IDS_TEXT_NOT_CARRIED)))
        return;
    // A list that is not there would leave the main window without patterns, unnoticed
    // until a run: it is refused here, where it was named. (An empty box keeps the
    // configured list, and so does the box as it was filled: the settings' other changes
    // are saved while the configured list is still to be made.)
    const std::string list = GetDlgItemText(IDC_SETTINGS_REPLACE_LIST);
    if (!list.empty() && list != filledList_ && platform::SearchFile(list).empty()) {
        AppMessageBox(LoadResourceString(IDS_LIST_NOT_FOUND_HERE) + list, MB_OK | MB_ICONEXCLAMATION, std::string(),
                      m_hWnd);
        GotoDlgCtrl(GetDlgItem(IDC_SETTINGS_REPLACE_LIST));
        return;
    }
    UpdateData(true);
    WriteSettingsDialogValues(settings_, values_, GetDlgItemText(IDC_SETTINGS_REPLACE_LIST));
    CDialog::OnOK();
}

void CSettingsDialog::FillListCombo(const std::string& listPath)
{
    const CComboBox combo(GetDlgItem(IDC_SETTINGS_REPLACE_LIST));
    combo.ResetContent();
    combo.SetWindowText(std::string());
    const std::vector<std::string> lists = ReplaceListsBeside(listPath, platform::GetProgramDirectory());
    for (const std::string& list : lists)
        combo.AddString(list);
    if (!lists.empty() && combo.SelectString(-1, listPath) == CB_ERR)
        combo.SetWindowText(listPath);
    filledList_ = GetDlgItemText(IDC_SETTINGS_REPLACE_LIST);
}

void CSettingsDialog::OnBrowseEditor()
{
    Browse(values_.Editor, "*.exe", IDS_EDITOR_FILTER);
}

void CSettingsDialog::OnBrowseSound()
{
    Browse(values_.Sound, "*.wav", IDS_SOUND_FILTER);
}

void CSettingsDialog::OnEditList()
{
    // The editor keeps this dialog disabled while it is open and reports back with
    // WM_LISTEDITCLOSED, which refills the combo box; nothing waits for it here.
    // With no list beside the program the box is empty: the editor opens the one the
    // settings name, as the main window's does, not the program's folder.
    std::string list = GetDlgItemText(IDC_SETTINGS_REPLACE_LIST);
    if (list.empty())
        list = settings_.ReadText(Setting::ReplaceList);
    OpenListEditor(*this, list, regexLibrary_);
}

LRESULT CSettingsDialog::OnListEditClosed(WPARAM listPath, LPARAM)
{
    FillListCombo(listPath ? reinterpret_cast<const char*>(listPath) : "");
    return 0;
}

void CSettingsDialog::Browse(std::string& member, const char* defaultExtension, UINT filterId)
{
    // The user's edits are taken first: the dialog opens where the field now points, and
    // showing the chosen file puts nothing back.
    UpdateData(true);
    CFileDialog dialog(LoadResourceString(filterId), std::string(),
                       BrowseStartFolder(member, platform::GetProgramDirectory()), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       MAX_PATH);
    dialog.SetDefaultExtension(defaultExtension);
    if (!dialog.DoModal(m_hWnd) || TellRefusedNames(dialog, LoadResourceString(IDS_NAMES_NOT_CARRIED), m_hWnd) ||
        dialog.GetFileNames().empty())
        return;
    member = dialog.GetFileNames().front();
    UpdateData(false);
}
