#include "editor/PatternEditDialog.h"

#include <utility>

#include "editor/ExpressionCheck.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "lists/ListLine.h"
#include "resources/ResourceIds.h"

CPatternEditDialog::CPatternEditDialog() : MessageMapped(IDD_PATTERN_EDIT)
{
}

const MessageMap<CPatternEditDialog>& CPatternEditDialog::GetMessageMap()
{
    static constexpr CommandRoute<CPatternEditDialog> commands[] = {
        {IDC_PATTERN_FIND, EN_CHANGE, &CPatternEditDialog::OnUserChange},
        {IDC_PATTERN_REPLACE, EN_CHANGE, &CPatternEditDialog::OnUserChange},
        {IDC_NOT_ESCAPE, BN_CLICKED, &CPatternEditDialog::OnUserChange},
        {IDC_NOT_CASE, BN_CLICKED, &CPatternEditDialog::OnUserChange},
        {IDC_KANJI, BN_CLICKED, &CPatternEditDialog::OnUserChange},
        {IDC_MULTILINE, BN_CLICKED, &CPatternEditDialog::OnUserChange},
        {IDC_IGNORECASE, BN_CLICKED, &CPatternEditDialog::OnUserChange},
        {IDC_REGULAR_EXPRESSION, BN_CLICKED, &CPatternEditDialog::OnRegularExpressionClicked},
    };
    static constexpr MessageRoute<CPatternEditDialog> messages[] = {
        {WM_SETFOCUS, &CPatternEditDialog::OnSetFocus},
    };
    static const MessageMap<CPatternEditDialog> map{commands, messages};
    return map;
}

bool CPatternEditDialog::Create(CWnd& owner, PatternRows& rows, const BregexpLibrary* regexLibrary)
{
    rows_ = &rows;
    regexLibrary_ = regexLibrary;
    SetParent(&owner);
    // The editor places it once the editor itself is placed.
    return CDialog::Create(false);
}

BOOL CPatternEditDialog::OnInitDialog()
{
    ShowEntry();
    ::EnableWindow(GetDlgItem(IDC_REGULAR_EXPRESSION), regexLibrary_ != nullptr);
    // Created hidden: giving a control the focus now would take it from the editor.
    return FALSE;
}

void CPatternEditDialog::DoDataExchange(CDataExchange& dx)
{
    ExchangeOptionBoxes(dx, entry_);
    DDX_Text(dx, IDC_PATTERN_FIND, entry_.Find);
    DDX_Text(dx, IDC_PATTERN_REPLACE, entry_.Replace);
}

void CPatternEditDialog::Show(PatternEditMode mode)
{
    EnableRegister(false);
    if (busy_)
        return;
    addMode_ = mode == PatternEditMode::Add;
    if (addMode_) {
        SetWindowText(LoadResourceString(IDS_PATTERN_ADD_CAPTION));
        entry_ = PatternEntry();
        Apply(EditablePatternEnables(false, regexLibrary_ != nullptr));
    } else {
        SetWindowText(LoadResourceString(IDS_PATTERN_EDIT_CAPTION));
        const int row = rows_->SelectedRow();
        if (row < 0) {
            entry_ = PatternEntry();
            Apply(NoPatternEnables);
        } else {
            entry_ = EntryOfRow(rows_->RowAt(row));
            Apply(EditablePatternEnables(entry_.RegularExpression != 0, regexLibrary_ != nullptr));
        }
    }
    ShowEntry();
    ShowWindow(SW_SHOW);
}

void CPatternEditDialog::Open(PatternEditMode mode)
{
    Show(mode);
    HWND find = GetDlgItem(IDC_PATTERN_FIND);
    GotoDlgCtrl(::IsWindowEnabled(find) ? find : GetDlgItem(IDCANCEL));
}

void CPatternEditDialog::OnOK()
{
    // Enter reaches here only while 登録 takes clicks.
    if (!::IsWindowEnabled(GetDlgItem(IDOK)))
        return;
    UpdateData(true);
    const int selected = rows_->SelectedRow();
    if ((!addMode_ && selected < 0) || RefuseEntry())
        return;
    busy_ = 1;
    const ListRow row = RowOfEntry(entry_);
    entry_.Find = row.Find;
    entry_.Replace = row.Replace;
    if (addMode_) {
        // After the selected row, which the new row then becomes: patterns entered one
        // after another stand in the order they were entered.
        const int added = selected >= 0 ? selected + 1 : rows_->RowCount();
        rows_->InsertRow(added, row);
        rows_->SelectRow(added);
    } else {
        rows_->SetRow(selected, row);
    }
    rows_->SetModified();
    busy_ = 0;
    // What was entered is registered: the next registration needs a change again.
    if (addMode_)
        Show(PatternEditMode::Add);
    else
        EnableRegister(false);
    ShowEntry();
    // 登録 is disabled now and may have had the focus, which would leave the keyboard with
    // nowhere to go.
    GotoDlgCtrl(GetDlgItem(IDC_PATTERN_FIND));
}

bool CPatternEditDialog::RefuseEntry() const
{
    if (RefuseTextNotCarried({IDC_PATTERN_FIND, IDC_PATTERN_REPLACE}, LoadResourceString(IDS_TEXT_NOT_CARRIED)))
        return true;
    // A line of the list holds a TAB only as \t, which a pattern without escape sequences
    // would take as those two characters.
    const bool literal = entry_.NotEscape != 0 && entry_.RegularExpression == 0;
    for (const auto& [id, text] : {std::pair{IDC_PATTERN_FIND, &entry_.Find}, {IDC_PATTERN_REPLACE, &entry_.Replace}}) {
        if (literal && text->find('\t') != std::string::npos) {
            AppMessageBox(LoadResourceString(IDS_TAB_NOT_STORED), MB_OK | MB_ICONEXCLAMATION, std::string(), m_hWnd);
            GotoDlgCtrl(GetDlgItem(id));
            return true;
        }
    }
    if (entry_.RegularExpression == 0 || !regexLibrary_)
        return false;
    // The pattern as the run reads it from the list.
    const std::string rejection = ExpressionRejection(ParseListLine(FormatListLine(RowOfEntry(entry_))), *regexLibrary_);
    if (rejection.empty())
        return false;
    AppMessageBox(RejectedExpressionText(LoadResourceString(IDS_PATTERN_REGEX_REJECTED), entry_.Find, rejection),
                  MB_OK | MB_ICONEXCLAMATION, std::string(), m_hWnd);
    GotoDlgCtrl(GetDlgItem(IDC_PATTERN_FIND));
    return true;
}

void CPatternEditDialog::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void CPatternEditDialog::OnUserChange()
{
    if (showingEntry_)
        return;
    UpdateData(true);
    EnableRegister(!entry_.Find.empty());
}

void CPatternEditDialog::OnRegularExpressionClicked()
{
    if (showingEntry_)
        return;
    UpdateData(true);
    Apply(EditablePatternEnables(entry_.RegularExpression != 0, regexLibrary_ != nullptr));
    EnableRegister(!entry_.Find.empty());
}

LRESULT CPatternEditDialog::OnSetFocus(WPARAM, LPARAM)
{
    ::SetFocus(GetDlgItem(IDC_PATTERN_FIND));
    return 0;
}

void CPatternEditDialog::Apply(const PatternEditEnables& enables) const
{
    const std::pair<int, bool> states[] = {
        {IDC_PATTERN_FIND, enables.Texts},
        {IDC_PATTERN_REPLACE, enables.Texts},
        {IDC_NOT_ESCAPE, enables.LiteralOptions},
        {IDC_NOT_CASE, enables.LiteralOptions},
        {IDC_REGULAR_EXPRESSION, enables.RegularExpression},
        {IDC_KANJI, enables.Modifiers},
        {IDC_MULTILINE, enables.Modifiers},
        {IDC_IGNORECASE, enables.Modifiers},
    };
    for (const auto& [id, enable] : states)
        ::EnableWindow(GetDlgItem(id), enable);
}

void CPatternEditDialog::EnableRegister(bool enable) const
{
    ::EnableWindow(GetDlgItem(IDOK), enable);
}

void CPatternEditDialog::ShowEntry()
{
    showingEntry_ = true;
    UpdateData(false);
    showingEntry_ = false;
}
