#include "app/MainDialog.h"

#include "app/CommandLineOptions.h"
#include "app/ReplaceListInUse.h"
#include "app/SettingsStore.h"
#include "app/StartValues.h"
#include "framework/Controls.h"
#include "framework/Resources.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int SmallIconSize = 16;

}  // namespace

CMainDialog::CMainDialog(SettingsStore& settings, std::vector<std::string> arguments,
                         const std::string& regexLibraryPath)
    : MessageMapped(IDD_MAIN), settings_(settings), arguments_(std::move(arguments))
{
    largeIcon_ = LoadIconOfSize(IDI_MAIN, ::GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadIconOfSize(IDI_MAIN, SmallIconSize);
    regexLibrary_.Load(regexLibraryPath);
}

CMainDialog::~CMainDialog() = default;

const MessageMap<CMainDialog>& CMainDialog::GetMessageMap()
{
    static constexpr CommandRoute<CMainDialog> commands[] = {
        {IDC_ALL_AUTO, BN_CLICKED, &CMainDialog::OnFullAutomaticClicked},
        {IDC_REGULAR_EXPRESSION, BN_CLICKED, &CMainDialog::OnRegularExpressionClicked},
        {IDC_FIND_TEXT, CBN_SELCHANGE, &CMainDialog::OnPatternChosen},
        {IDC_FIND_TEXT, CBN_EDITCHANGE, &CMainDialog::OnFindTextChanged},
    };
    static constexpr MessageRoute<CMainDialog> messages[] = {
        {WM_LISTEDITCLOSED, &CMainDialog::OnListEditClosed},
        {WM_PAINT, &CMainDialog::OnPaint},
        {WM_QUERYDRAGICON, &CMainDialog::OnQueryDragIcon},
    };
    static const MessageMap<CMainDialog> map{commands, messages};
    return map;
}

bool CMainDialog::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN)
        return true;
    return CDialog::PreTranslateMessage(message);
}

BOOL CMainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(largeIcon_, true);
    SetIcon(smallIcon_, false);

    // The list's outer size is made its client size plus 4 and 3 pixels.
    const CListBox fileList(GetDlgItem(IDC_FILE_LIST));
    const RECT client = fileList.GetClientRect();
    fileList.SetWindowPos(nullptr, 0, 0, client.right + 4, client.bottom + 3, SWP_NOMOVE | SWP_NOZORDER);

    const CommandLineOptions options = ParseCommandLine(arguments_, settings_);
    const MainDialogStartValues start = StartValuesFrom(options, settings_, regexLibrary_.IsLoaded());
    LoadReplaceListInUse(start.ReplaceListName);
    lastAddFolder_ = start.LastAddFolder;
    fields_.FindText = start.FindText;
    fields_.ReplaceText = start.ReplaceText;
    SetOptions(fields_, start.Options);
    Apply(RegularExpressionRule(fields_.RegularExpression != 0));
    fields_.BackUp = start.BackUp;
    fields_.FullAutomatic = start.FullAutomatic;
    subfolderRule_ = start.SubfolderRule;
    automaticMode_ = start.AutomaticMode;
    UpdateData(false);
    Apply(RegexLibraryRule(regexLibrary_.IsLoaded()));
    OnFullAutomaticClicked();

    GotoDlgCtrl(GetDlgItem(IDC_FIND_TEXT));
    return FALSE;
}

void CMainDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, IDC_ALL_AUTO, fields_.FullAutomatic);
    DDX_Check(dx, IDC_BACKUP, fields_.BackUp);
    DDX_Check(dx, IDC_REGULAR_EXPRESSION, fields_.RegularExpression);
    DDX_Check(dx, IDC_NOT_CASE, fields_.NotCase);
    DDX_Check(dx, IDC_KANJI, fields_.Kanji);
    DDX_Check(dx, IDC_MULTILINE, fields_.Multiline);
    DDX_Check(dx, IDC_IGNORECASE, fields_.Ignorecase);
    DDX_Text(dx, IDC_FIND_TEXT, fields_.FindText);
    DDX_Text(dx, IDC_REPLACE_TEXT, fields_.ReplaceText);
    DDX_Check(dx, IDC_NOT_ESCAPE, fields_.NotEscape);
}

void CMainDialog::OnOK()
{
}

void CMainDialog::OnDestroy()
{
    UpdateData(true);
    ApplyTabRule(fields_);
    if (!automaticMode_)
        WriteMainKeys(settings_, fields_, lastAddFolder_);
    regexLibrary_.Free();
}

void CMainDialog::OnFullAutomaticClicked()
{
    UpdateData(true);
    Apply(FullAutomaticRule(fields_.FullAutomatic != 0, fields_.RegularExpression != 0, regexLibrary_.IsLoaded()));
    ApplyStartRule();
}

void CMainDialog::OnRegularExpressionClicked()
{
    UpdateData(true);
    Apply(RegularExpressionRule(fields_.RegularExpression != 0));
}

void CMainDialog::OnPatternChosen()
{
    const CComboBox find(GetDlgItem(IDC_FIND_TEXT));
    const int chosen = find.GetCurSel();
    if (chosen == CB_ERR)
        return;
    CComboBox(GetDlgItem(IDC_REPLACE_TEXT)).SetCurSel(chosen);
    const auto options = static_cast<PatternOptions>(find.GetItemData(chosen));
    const PatternChoice choice =
        ChoosePatternRule(options, regexLibrary_.IsLoaded(), static_cast<std::size_t>(FileCount()));
    ApplyChecks(choice.Checks);
    Apply(choice.Enables);
}

void CMainDialog::OnFindTextChanged()
{
    ApplyStartRule();
}

LRESULT CMainDialog::OnListEditClosed(WPARAM, LPARAM)
{
    UpdateData(true);
    LoadReplaceListInUse(ConfiguredReplaceList());
    UpdateData(false);
    ApplyStartRule();
    return 0;
}

LRESULT CMainDialog::OnPaint(WPARAM wParam, LPARAM lParam)
{
    if (!IsIconic())
        return ::DefWindowProcA(m_hWnd, WM_PAINT, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - SmallIconSize + 1) / 2;
    const int y = (client.bottom - client.top - SmallIconSize + 1) / 2;
    ::DrawIconEx(dc, x, y, smallIcon_, SmallIconSize, SmallIconSize, 0, nullptr, DI_NORMAL);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CMainDialog::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(smallIcon_);
}

void CMainDialog::LoadReplaceListInUse(const std::string& name)
{
    const ReplaceListInUse list = ::LoadReplaceListInUse(name);
    historyInUse_ = list.IsHistory;
    const CComboBox find(GetDlgItem(IDC_FIND_TEXT));
    const CComboBox replace(GetDlgItem(IDC_REPLACE_TEXT));
    find.ResetContent();
    replace.ResetContent();
    for (const ReplacePattern& pattern : list.Patterns) {
        find.SetItemData(find.AddString(pattern.Find), pattern.Options);
        replace.AddString(pattern.Replace);
    }
    patterns_ = list.Patterns;
    Apply(ReplaceListLoadedRule(list.Patterns.size()));
}

std::string CMainDialog::ConfiguredReplaceList() const
{
    return settings_.ReadText(Setting::ReplaceList);
}

void CMainDialog::ApplyStartRule()
{
    UpdateData(true);
    Apply(StartRule(static_cast<std::size_t>(FileCount()), fields_.FindText, fields_.FullAutomatic != 0));
}

void CMainDialog::Apply(const ControlStates& states) const
{
    for (const ControlState& state : states)
        ::EnableWindow(ControlOf(state.Control), state.On);
}

void CMainDialog::ApplyChecks(const ControlStates& states) const
{
    for (const ControlState& state : states)
        CButton(ControlOf(state.Control)).SetCheck(state.On ? BST_CHECKED : BST_UNCHECKED);
}

HWND CMainDialog::ControlOf(MainControl control) const
{
    switch (control) {
    case MainControl::FindText: return GetDlgItem(IDC_FIND_TEXT);
    case MainControl::ReplaceText: return GetDlgItem(IDC_REPLACE_TEXT);
    case MainControl::FullAutomatic: return GetDlgItem(IDC_ALL_AUTO);
    case MainControl::NotEscape: return GetDlgItem(IDC_NOT_ESCAPE);
    case MainControl::NotCase: return GetDlgItem(IDC_NOT_CASE);
    case MainControl::RegularExpression: return GetDlgItem(IDC_REGULAR_EXPRESSION);
    case MainControl::ModifierFrame: return GetDlgItem(IDC_MODIFIER_FRAME);
    case MainControl::Kanji: return GetDlgItem(IDC_KANJI);
    case MainControl::Multiline: return GetDlgItem(IDC_MULTILINE);
    case MainControl::Ignorecase: return GetDlgItem(IDC_IGNORECASE);
    case MainControl::Start: return GetDlgItem(IDC_START);
    }
    return nullptr;
}

int CMainDialog::FileCount() const
{
    return CListBox(GetDlgItem(IDC_FILE_LIST)).GetCount();
}
