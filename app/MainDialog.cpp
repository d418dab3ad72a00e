#include "app/MainDialog.h"

#include "about/AboutDialog.h"
#include "app/AutomaticRun.h"
#include "app/CommandLineOptions.h"
#include "app/ConsoleStop.h"
#include "app/FileBatches.h"
#include "app/ReplaceListInUse.h"
#include "app/RunRefusalText.h"
#include "app/SettingsDialog.h"
#include "app/SettingsStore.h"
#include "app/StartValues.h"
#include "app/WindowSize.h"
#include "app/WindowUndo.h"
#include "editor/ListEditWnd.h"
#include "engine/run/RunCheck.h"
#include "framework/Dpi.h"
#include "framework/Controls.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "lists/History.h"
#include "lists/ListLocations.h"
#include "platform/StateLocation.h"
#include "resources/ResourceIds.h"

namespace {

constexpr WindowSizeKeys MainSizeKeys{Setting::MainWidth, Setting::MainHeight};

}  // namespace

CMainDialog::CMainDialog(SettingsStore& settings, std::vector<std::string> arguments,
                         const std::string& regexLibraryPath)
    : MessageMapped(IDD_MAIN),
      settings_(settings),
      arguments_(std::move(arguments)),
      fileListBox_([this] { ApplyStartRule(); }),
      fileList_(fileListBox_),
      resultLog_(this, settings),
      run_(*this)
{
    // The window is not made yet: the icons of the system's scale.
    const UINT dpi = WindowDpi(nullptr);
    smallIconSide_ = SmallIconSide(dpi);
    largeIcon_ = LoadIconOfSize(IDI_MAIN, LargeIconSide(dpi));
    smallIcon_ = LoadIconOfSize(IDI_MAIN, smallIconSide_);
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
        {IDC_REPLACE_TEXT, CBN_EDITCHANGE, &CMainDialog::ShowTabMark},
        {IDC_START, BN_CLICKED, &CMainDialog::OnStart},
        {IDC_PREVIEW, BN_CLICKED, &CMainDialog::OnPreview},
        {IDC_UNDO, BN_CLICKED, &CMainDialog::OnUndo},
        {IDC_ADD_FILES, BN_CLICKED, &CMainDialog::OnAddFiles},
        {IDC_REMOVE_FILES, BN_CLICKED, &CMainDialog::OnRemoveFiles},
        {IDC_FILE_LIST, LBN_DBLCLK, &CMainDialog::OnOpenInEditor},
        {ID_FILE_OPEN_EDITOR, 0, &CMainDialog::OnOpenInEditor},
        {ID_FILE_OPEN_ASSOCIATED, 0, &CMainDialog::OnOpenWithAssociation},
        {ID_FILE_REMOVE, 0, &CMainDialog::OnRemoveFiles},
        {ID_FILE_INVERT_SELECTION, 0, &CMainDialog::OnInvertSelection},
        {ID_FILE_SELECT_ALL, 0, &CMainDialog::OnSelectAll},
        {IDC_SETTINGS, BN_CLICKED, &CMainDialog::OnSettings},
        {IDC_ABOUT, BN_CLICKED, &CMainDialog::OnAbout},
        {IDC_LIST_EDIT, BN_CLICKED, &CMainDialog::OnListEdit},
    };
    static constexpr MessageRoute<CMainDialog> messages[] = {
        {WM_LISTEDITCLOSED, &CMainDialog::OnListEditClosed},
        {WM_PAINT, &CMainDialog::OnPaint},
        {WM_QUERYDRAGICON, &CMainDialog::OnQueryDragIcon},
        {WM_DROPFILES, &CMainDialog::OnDropFiles},
        {WM_CONTEXTMENU, &CMainDialog::OnContextMenu},
        {WM_SIZE, &CMainDialog::OnSize},
        {WM_GETMINMAXINFO, &CMainDialog::OnGetMinMaxInfo},
    };
    static const MessageMap<CMainDialog> map{commands, messages};
    return map;
}

bool CMainDialog::PreTranslateMessage(MSG& message)
{
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    // Enter starts nothing in this window; an open drop-down list takes it, to close.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && !IsDropDownOpen())
        return true;
    // Esc would end the program and drop the listed files without a word: with files in
    // the list it only closes an open drop-down list. 終了 and the close box still end it.
    if (keyDown && message.wParam == VK_ESCAPE && fileListBox_.Count() > 0 && !IsDropDownOpen())
        return true;
    if (message.message == WM_KEYDOWN && message.hwnd == GetDlgItem(IDC_FILE_LIST))
        OnFileListKey(message.wParam);
    return CDialog::PreTranslateMessage(message);
}

BOOL CMainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(largeIcon_, true);
    SetIcon(smallIcon_, false);

    // The list's outer size is made its client size plus 4 and 3 pixels.
    fileListBox_.Attach(*this);
    const CListBox fileList(GetDlgItem(IDC_FILE_LIST));
    const RECT client = fileList.GetClientRect();
    fileList.SetWindowPos(nullptr, 0, 0, client.right + 4, client.bottom + 3, SWP_NOMOVE | SWP_NOZORDER);
    AnchorControls();

    const CommandLineOptions options = ParseCommandLine(arguments_, settings_);
    const MainDialogStartValues start = StartValuesFrom(options, settings_);
    LoadReplaceListInUse(start.ReplaceListName);
    lastAddFolder_ = start.LastAddFolder;
    fields_.FindText = start.FindText;
    fields_.ReplaceText = start.ReplaceText;
    SetOptions(fields_, start.Options);
    Apply(RegularExpressionRule(fields_.RegularExpression != 0, regexLibrary_.IsLoaded()));
    fields_.BackUp = start.BackUp;
    fields_.FullAutomatic = start.FullAutomatic;
    fileList_.SetSubfolderRule(start.SubfolderRule != 0);
    fileList_.SetOwnFolder(platform::UndoRunsFolder());
    automaticMode_ = start.AutomaticMode;
    fileListBox_.SetUnattended(automaticMode_);
    UpdateData(false);
    ShowTabMark();
    fileList_.BuildExtensionList(start.ExtensionListText);
    AddCommandLineFiles(fileList_, options.FileArguments, HeldKeys());
    OnFullAutomaticClicked();

    if (automaticMode_) {
        RunAutomaticMode();
        EndDialog(0);
        return FALSE;
    }
    openedSize_ = RestoreWindowSize(m_hWnd, settings_, MainSizeKeys);
    GotoDlgCtrl(GetDlgItem(IDC_FIND_TEXT));
    return FALSE;
}

void CMainDialog::AnchorControls()
{
    // The find and replace boxes and the file list take the room a larger window gives;
    // what stands right of them or below them keeps its distance to that edge.
    std::vector<std::pair<HWND, unsigned>> controls = {
        {GetDlgItem(IDC_FIND_TEXT), GrowWider},
        {GetDlgItem(IDC_REPLACE_TEXT), GrowWider},
        {GetDlgItem(IDC_FILE_LIST), GrowWider | GrowTaller},
        {GetDlgItem(IDC_BACKUP), MoveDown},
    };
    for (const int id : {IDC_LIST_EDIT, IDC_TAB_MARK, IDC_MODIFIER_FRAME, IDC_KANJI, IDC_MULTILINE, IDC_IGNORECASE,
                         IDC_ADD_FILES, IDC_REMOVE_FILES})
        controls.push_back({GetDlgItem(id), MoveRight});
    for (const int id : {IDC_FILE_COUNT_LABEL, IDC_FILE_COUNT, IDC_PREVIEW})
        controls.push_back({GetDlgItem(id), MoveRight | MoveDown});
    for (const int id : {IDC_START, IDC_SETTINGS, IDCANCEL, IDC_ABOUT, IDC_UNDO})
        controls.push_back({GetDlgItem(id), MoveDown});
    anchors_.Capture(m_hWnd, controls);
}

LRESULT CMainDialog::OnSize(WPARAM, LPARAM)
{
    anchors_.Apply();
    return 0;
}

LRESULT CMainDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    anchors_.LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

bool CMainDialog::IsDropDownOpen() const
{
    return CComboBox(GetDlgItem(IDC_FIND_TEXT)).GetDroppedState() ||
           CComboBox(GetDlgItem(IDC_REPLACE_TEXT)).GetDroppedState();
}

void CMainDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, IDC_ALL_AUTO, fields_.FullAutomatic);
    DDX_Check(dx, IDC_BACKUP, fields_.BackUp);
    ExchangeOptionBoxes(dx, fields_);
    DDX_Text(dx, IDC_FIND_TEXT, fields_.FindText);
    DDX_Text(dx, IDC_REPLACE_TEXT, fields_.ReplaceText);
}

void CMainDialog::OnOK()
{
}

void CMainDialog::OnDestroy()
{
    // The program never ends while a run may still touch files or the log.
    run_.StopAndWait();
    UpdateData(true);
    ApplyTabRule(fields_);
    if (!automaticMode_) {
        WriteMainKeys(settings_, fields_, lastAddFolder_);
        RememberWindowSize(m_hWnd, settings_, MainSizeKeys, openedSize_);
    }
    regexLibrary_.Free();
}

void CMainDialog::OnStart()
{
    // A TAB kept as a TAB (no escape sequences) cannot stand in a line of the history.
    if (!RunFromWindow(false) || fields_.FullAutomatic != 0 || !FitsInAListLine(fields_))
        return;
    UpdateHistory(fields_.FindText, fields_.ReplaceText, OptionsOf(fields_));
    if (historyInUse_) {
        LoadReplaceListInUse(HistoryFileName);
        UpdateData(false);
    }
}

void CMainDialog::OnPreview()
{
    RunFromWindow(true);
}

bool CMainDialog::RunFromWindow(bool preview)
{
    UpdateData(true);
    if (fields_.FullAutomatic == 0 &&
        RefuseTextNotCarried({IDC_FIND_TEXT, IDC_REPLACE_TEXT}, LoadResourceString(IDS_TEXT_NOT_CARRIED)))
        return false;
    ApplyTabRule(fields_);
    UpdateData(false);
    ShowTabMark();
    PrepareJob();
    job_.Preview = preview;
    // A preview keeps each changed file's diff for its log to show.
    previewChanges_.Clear();
    job_.NewTexts = preview ? &previewChanges_ : nullptr;
    if (!CheckJob())
        return false;
    // The originals are kept before any file is touched; a run that cannot keep them goes
    // only when the user says so.
    UndoJournalSetup journal;
    if (!preview && StartJournal(journal, job_, settings_, replaceListName_) == JournalChoice::CannotKeep &&
        AppMessageBox(LoadResourceString(IDS_UNDO_NOT_KEPT), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2,
                      std::string(), m_hWnd) != IDYES)
        return false;
    job_.AbortRequested = false;
    ResultLog& log = resultLog_.Log();
    log.ResetLog();
    resultLog_.SetPreview(preview);
    resultLog_.SetFiles(job_.Files);
    resultLog_.SetChanges(preview ? &previewChanges_ : nullptr);
    resultLog_.SetUndoLog(nullptr);
    const WorkerRun::Ending ending =
        RunOnWorker([this, &log](RunObserver& observer) { return RunReplace(job_, log, observer); }, Priority());
    journal.Finish(job_, ending == WorkerRun::Ending::Completed);
    resultLog_.SetUndoable(journal.Committed() > 0);
    if (ending == WorkerRun::Ending::NotStarted || ending == WorkerRun::Ending::Failed) {
        // Nothing to announce and no pattern to remember: the log is not whole.
        EnableWindow(true);
        AppMessageBox(LoadResourceString(ending == WorkerRun::Ending::Failed ? IDS_RUN_FAILED : IDS_RUN_NOT_STARTED),
                      MB_OK | MB_ICONEXCLAMATION, LoadResourceString(IDS_ERROR_CAPTION), m_hWnd);
        return false;
    }
    const bool aborted = ending == WorkerRun::Ending::Aborted;
    resultLog_.SetAborted(aborted ? std::optional(log.NotProcessed(job_.Files.size())) : std::nullopt);
    // A preview is asked for to be looked at: its log is shown whatever SETTING/ShowLog says.
    if (preview)
        ShowResultLog();
    else
        AnnounceCompletion(settings_, *this);
    if (aborted)
        EnableWindow(true);
    GotoDlgCtrl(GetDlgItem(IDC_FIND_TEXT));
    return !preview;
}

void CMainDialog::OnUndo()
{
    UndoLastRun();
}

void CMainDialog::UndoLastRun()
{
    const std::optional<RunToTakeBack> last = LastRunToTakeBack();
    if (!last) {
        AppMessageBox(LoadResourceString(IDS_UNDO_NOTHING), MB_OK | MB_ICONINFORMATION, std::string(), m_hWnd);
        return;
    }
    if (AppMessageBox(LoadResourceString(IDS_UNDO_CONFIRM) + std::to_string(last->Files),
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, std::string(), m_hWnd) != IDYES)
        return;
    UndoJob undo;
    undo.Run = last->Run.Folder;
    undo.Workers = settings_.ReadSwitch(Setting::Workers);
    job_.AbortRequested = false;
    UndoOutcome outcome = UndoOutcome::NotARun;
    const WorkerRun::Ending ending = RunOnWorker(
        [&](RunObserver& observer) {
            outcome = UndoWithProgress(undo, undoLog_, observer, job_.AbortRequested);
            return outcome == UndoOutcome::Completed ? RunOutcome::Completed : RunOutcome::Aborted;
        },
        Priority());
    EnableWindow(true);
    if (ending == WorkerRun::Ending::NotStarted || ending == WorkerRun::Ending::Failed ||
        outcome == UndoOutcome::InUse || outcome == UndoOutcome::NotARun) {
        AppMessageBox(LoadResourceString(ending == WorkerRun::Ending::Failed  ? IDS_RUN_FAILED
                                         : ending == WorkerRun::Ending::NotStarted ? IDS_RUN_NOT_STARTED
                                                                                   : IDS_UNDO_IN_USE),
                      MB_OK | MB_ICONEXCLAMATION, LoadResourceString(IDS_ERROR_CAPTION), m_hWnd);
        return;
    }
    resultLog_.SetUndoLog(&undoLog_);
    resultLog_.SetAborted(outcome == UndoOutcome::Aborted
                              ? std::optional(last->Run.Entries.size() - undoLog_.LoggedFiles())
                              : std::nullopt);
    // Asked for by the user: its log is shown whatever SETTING/ShowLog says.
    resultLog_.DoModal();
    resultLog_.SetUndoLog(nullptr);
    GotoDlgCtrl(GetDlgItem(IDC_FIND_TEXT));
}

int CMainDialog::Priority() const
{
    return settings_.ReadSwitch(Setting::Priority) != 0 ? THREAD_PRIORITY_IDLE : THREAD_PRIORITY_NORMAL;
}

WorkerRun::Ending CMainDialog::RunOnWorker(const WorkerRun::RunFunction& run, int priority)
{
    return run_.Run(run, job_.AbortRequested, priority, job_.Files);
}

void CMainDialog::RunAutomaticMode()
{
    PrepareJob();
    if (!CheckJob()) {
        exitStatus_ = RunNotCarriedOut;
        return;
    }
    // No progress dialog: the window is never shown. The console it was started from, if
    // any, is the only way to stop it.
    // A run that cannot keep its originals is not carried out: nobody is there to agree.
    UndoJournalSetup journal;
    if (StartJournal(journal, job_, settings_, replaceListName_) == JournalChoice::CannotKeep) {
        exitStatus_ = RunNotCarriedOut;
        return;
    }
    ConsoleStop console(job_.AbortRequested);
    RunObserver unseen;
    exitStatus_ = RunAutomatic(job_, !fileList_.PassedOver().empty(), resultLog_.Log(), unseen);
    journal.Finish(job_, !IsAborted(job_.AbortRequested));
    console.RunEnded();
    if (console.ExitStatus() != 0 && exitStatus_ != RunNotCarriedOut)
        exitStatus_ = console.ExitStatus();
}

bool CMainDialog::CheckJob()
{
    const RunCheck check = CheckRun(job_);
    if (!check.Refused())
        return true;
    AppMessageBox(RunRefusalText(check, replaceListName_), MB_OK | MB_ICONEXCLAMATION,
                  LoadResourceString(IDS_ERROR_CAPTION), m_hWnd);
    return false;
}

void CMainDialog::PrepareJob()
{
    job_.Files = fileListBox_.Entries();
    job_.Pattern = SinglePatternOf(fields_);
    job_.Patterns = patterns_;
    job_.PatternsState = patternsState_;
    job_.AllAuto = fields_.FullAutomatic != 0;
    job_.BackUp = fields_.BackUp != 0;
    job_.RegexLibrary = &regexLibrary_;
    job_.Settings = &settings_;
    job_.Encoding = settings_.ReadEncodingChoice();
    job_.Workers = settings_.ReadSwitch(Setting::Workers);
}

void CMainDialog::OnFullAutomaticClicked()
{
    UpdateData(true);
    Apply(FullAutomaticRule(fields_.FullAutomatic != 0, fields_.RegularExpression != 0, regexLibrary_.IsLoaded(),
                            patterns_.size()));
    ApplyStartRule();
}

void CMainDialog::OnRegularExpressionClicked()
{
    UpdateData(true);
    Apply(RegularExpressionRule(fields_.RegularExpression != 0, regexLibrary_.IsLoaded()));
}

void CMainDialog::OnPatternChosen()
{
    const CComboBox find(GetDlgItem(IDC_FIND_TEXT));
    const int chosen = find.GetCurSel();
    if (chosen == CB_ERR)
        return;
    CComboBox(GetDlgItem(IDC_REPLACE_TEXT)).SetCurSel(chosen);
    const auto options = static_cast<PatternOptions>(find.GetItemData(chosen));
    const PatternChoice choice = ChoosePatternRule(options, regexLibrary_.IsLoaded(), fileListBox_.Count());
    ApplyChecks(choice.Checks);
    Apply(choice.Enables);
}

void CMainDialog::OnFindTextChanged()
{
    ApplyStartRule();
    ShowTabMark();
}

void CMainDialog::ShowTabMark()
{
    // A TAB in a box shows as nothing at all: the mark says which box holds one.
    const bool find = WindowText(GetDlgItem(IDC_FIND_TEXT)).find('\t') != std::string::npos;
    const bool replace = WindowText(GetDlgItem(IDC_REPLACE_TEXT)).find('\t') != std::string::npos;
    const UINT mark = find && replace ? IDS_TAB_IN_BOTH : find ? IDS_TAB_IN_FIND : replace ? IDS_TAB_IN_REPLACE : 0;
    SetDlgItemText(IDC_TAB_MARK, mark ? LoadResourceString(mark) : std::string());
}

void CMainDialog::OnSettings()
{
    CSettingsDialog dialog(settings_, this, LoadedRegexLibrary());
    if (dialog.DoModal() != IDOK)
        return;
    // The dialog may have named another replace list; an extension list from the command
    // line gives way to the settings file's.
    ReloadConfiguredReplaceList();
    fileList_.BuildExtensionList(settings_.ReadText(Setting::AbleExt));
    fileList_.SetSubfolderRule(dialog.Values().WalkSubfolders != 0);
}

void CMainDialog::OnAbout()
{
    CAboutDialog(this).DoModal();
}

void CMainDialog::OnListEdit()
{
    // The editor keeps this window disabled until it closes and then reports back with
    // WM_LISTEDITCLOSED; nothing waits for it here.
    OpenListEditor(*this, ConfiguredReplaceList(), LoadedRegexLibrary());
}

LRESULT CMainDialog::OnListEditClosed(WPARAM, LPARAM)
{
    ReloadConfiguredReplaceList();
    return 0;
}

void CMainDialog::ReloadConfiguredReplaceList()
{
    UpdateData(true);
    LoadReplaceListInUse(ConfiguredReplaceList());
    UpdateData(false);
    ShowTabMark();
    ApplyStartRule();
}

LRESULT CMainDialog::OnPaint(WPARAM wParam, LPARAM lParam)
{
    if (!IsIconic())
        return ::DefWindowProcW(m_hWnd, WM_PAINT, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - smallIconSide_ + 1) / 2;
    const int y = (client.bottom - client.top - smallIconSide_ + 1) / 2;
    ::DrawIconEx(dc, x, y, smallIcon_, smallIconSide_, smallIconSide_, 0, nullptr, DI_NORMAL);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CMainDialog::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(smallIcon_);
}

void CMainDialog::ShowResultLog()
{
    if (resultLog_.DoModal() == IDC_UNDO)
        UndoLastRun();
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
    patternsState_ = list.State;
    replaceListName_ = list.Path.empty() ? name : list.Path;
    Apply(ReplaceListLoadedRule(list.Patterns.size(), fields_.FullAutomatic != 0));
}

std::string CMainDialog::ConfiguredReplaceList() const
{
    return settings_.ReadText(Setting::ReplaceList);
}

void CMainDialog::ApplyStartRule()
{
    UpdateData(true);
    Apply(StartRule(fileListBox_.Count(), fields_.FindText, fields_.FullAutomatic != 0));
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
    case MainControl::Preview: return GetDlgItem(IDC_PREVIEW);
    }
    return nullptr;
}
