#pragma once
// The program's main window: the find and replace boxes with the patterns of the replace
// list in use, the options of a single pattern, the file list, and the buttons that start
// a run and open the other windows. Start-up runs it modally; its end ends the program.
#include <string>
#include <vector>

#include "app/CompletionAnnouncement.h"
#include "app/FileBatches.h"
#include "app/FileList.h"
#include "app/FileListBox.h"
#include "app/MainDialogFields.h"
#include "app/MainDialogRules.h"
#include "app/OpenEntries.h"
#include "app/PreviewChanges.h"
#include "app/ResultLogDialog.h"
#include "app/WorkerRun.h"
#include "engine/undo/UndoLog.h"
#include "editor/ListEditClosed.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/ReplaceJob.h"
#include "framework/Anchors.h"
#include "framework/Dialog.h"
#include "framework/MessageMap.h"

class SettingsStore;

class CMainDialog : public MessageMapped<CMainDialog, CDialog>, private ResultLogViewer {
public:
    // `arguments` is the program's argument vector, the program itself first; the
    // regular-expression library is loaded from `regexLibraryPath`.
    CMainDialog(SettingsStore& settings, std::vector<std::string> arguments,
                const std::string& regexLibraryPath = BregexpLibrary::DefaultPath());
    ~CMainDialog() override;

    static const MessageMap<CMainDialog>& GetMessageMap();

    // Enter never reaches a control, nor Esc while files are listed; everything else goes
    // the dialog's way.
    bool PreTranslateMessage(MSG& message) override;

    const MainDialogFields& Fields() const { return fields_; }
    // The rules of the file list, as the window's list box and its batches use them.
    FileList& Files() { return fileList_; }
    bool IsHistoryInUse() const { return historyInUse_; }
    bool IsAutomaticMode() const { return automaticMode_; }
    // Whether the regular-expression library was loaded; it stays so while the program runs.
    bool IsRegexLibraryLoaded() const { return regexLibrary_.IsLoaded(); }
    // The library for the windows that check expressions, null when it is not loaded.
    const BregexpLibrary* LoadedRegexLibrary() const { return IsRegexLibraryLoaded() ? &regexLibrary_ : nullptr; }
    // The program's exit status: that of the automatic run, 0 without one.
    int ExitStatus() const { return exitStatus_; }
    // The log of the last run.
    const ResultLog& LastLog() { return resultLog_.Log(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    // Enter is swallowed, so OK only comes from elsewhere; it does not end the program.
    void OnOK() override;
    void OnDestroy() override;

    // Carries out `run` on a worker thread while the progress dialog is up.
    virtual WorkerRun::Ending RunOnWorker(const WorkerRun::RunFunction& run, int priority);
    // The Shift and Ctrl keys as they are held at this moment.
    virtual BatchKeys HeldKeys() const;
    // Starts a program for the user: the text editor on a listed file.
    virtual void LaunchProgram(const ProcessStart& start);
    // Opens a listed file with the program associated with it.
    virtual void OpenWithAssociatedProgram(const std::string& path);

private:
    void OnStart();
    // The same run with nothing written, its log shown as a preview's.
    void OnPreview();
    // Runs the job from the window's fields and shows how it ended; true when a run that
    // wrote went through, so that its pattern goes into the history.
    bool RunFromWindow(bool preview);
    // "元に戻す(&U)": the last run taken back after the user agreed to the number of files,
    // its log shown.
    void OnUndo();
    void UndoLastRun();
    int Priority() const;
    void OnFullAutomaticClicked();
    void OnRegularExpressionClicked();
    void OnPatternChosen();
    void OnFindTextChanged();
    // The mark that tells which of the find and replace boxes holds a TAB.
    void ShowTabMark();
    void OnSettings();
    void OnAbout();
    void OnListEdit();
    LRESULT OnListEditClosed(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    // The window can be made larger: the boxes and the file list grow with it.
    void AnchorControls();
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    // The file list: its buttons, menu commands, drops, context menu and keys.
    void OnAddFiles();
    void OnRemoveFiles();
    void OnOpenInEditor();
    void OnOpenWithAssociation();
    void OnInvertSelection();
    void OnSelectAll();
    LRESULT OnDropFiles(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM, LPARAM);
    void OnFileListKey(WPARAM key);
    void SelectEntryAt(POINT screen);
    void ShowResultLog() override;

    void RunAutomaticMode();
    void PrepareJob();
    // Tells the user why the job cannot run, when it cannot; true when it can.
    bool CheckJob();
    void ReloadConfiguredReplaceList();
    void LoadReplaceListInUse(const std::string& name);
    std::string ConfiguredReplaceList() const;
    void ApplyStartRule();
    void Apply(const ControlStates& states) const;
    void ApplyChecks(const ControlStates& states) const;
    HWND ControlOf(MainControl control) const;
    bool IsDropDownOpen() const;

    SettingsStore& settings_;
    std::vector<std::string> arguments_;
    MainDialogFields fields_;
    HICON largeIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    int smallIconSide_ = 16;
    bool historyInUse_ = false;
    bool automaticMode_ = false;
    std::string lastAddFolder_;
    PatternList patterns_;  // the replace list in use, as its drop-down lists show it
    ReplaceListState patternsState_ = ReplaceListState::NotFound;
    std::string replaceListName_;  // where it was found, or the name looked for
    BregexpLibrary regexLibrary_;
    FileListBox fileListBox_;
    FileList fileList_;
    PreviewChanges previewChanges_;
    CResultLogDialog resultLog_;
    UndoLog undoLog_;
    ReplaceJob job_;
    WorkerRun run_;
    int exitStatus_ = 0;
    ControlAnchors anchors_;
    SIZE openedSize_{};
};
