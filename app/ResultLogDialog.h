#pragma once
// The result log of the last run, kept for the program's life and shown after each run
// started from the window, in a fixed-pitch font so that its columns line up. After an
// abort its caption says so, with the number of listed files the run did not take; with
// failures, caption and label say how many, and the status words found in it are
// explained below it. The line under the caret is shown whole there, its path not cut.
// The window can be made larger; its size is remembered.
// The log of an undo is shown in it too, with a caption of its own; "元に戻す(&U)" ends it
// with IDC_UNDO, for the last run to be taken back.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/run/ResultLog.h"
#include "engine/undo/UndoLog.h"
#include "framework/Anchors.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/MessageMap.h"
#include "framework/SubclassedWnd.h"

class PreviewChanges;
class SettingsStore;

class CResultLogDialog : public MessageMapped<CResultLogDialog, CDialog> {
public:
    CResultLogDialog(CWnd* parent, SettingsStore& settings);

    static const MessageMap<CResultLogDialog>& GetMessageMap();

    ResultLog& Log() { return log_; }
    // For the log about to be shown: the run was aborted with `notProcessed` listed files
    // left untouched, or (nullopt) it completed.
    void SetAborted(std::optional<std::size_t> notProcessed) { notProcessed_ = notProcessed; }
    // The log shown next is that of a preview, which wrote nothing, and says so in its
    // caption and heading; or that of a run.
    void SetPreview(bool preview) { preview_ = preview; }
    // The files of the run in list order, whole: the log's file lines name them, shortened.
    void SetFiles(std::vector<std::string> files) { files_ = std::move(files); }
    // A preview's changes, which Enter or a double click on a file's line shows; null for
    // a run.
    void SetChanges(const PreviewChanges* changes) { changes_ = changes; }
    // The changes of the file on the caret's line, shown in a window of their own; false
    // when that line names no file the preview would change.
    bool OpenChangesAtCaret();

    bool PreTranslateMessage(MSG& message) override;

    // What the line under the caret is about: the file's whole path and, for a failure,
    // what its status word means.
    std::string CaretLineText() const;
    // The whole path of the file on the caret's line, or empty.
    std::string CaretFile() const;
    // The log shown next is that of an undo, or (null) the run's own.
    void SetUndoLog(const UndoLog* log) { undoLog_ = log; }
    // Whether "元に戻す(&U)" is offered with the log shown next.
    void SetUndoable(bool undoable) { undoable_ = undoable; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnDestroy() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    // The log box, which tells the dialog when its caret may have moved.
    class LogBox : public CSubclassedWnd {
    public:
        explicit LogBox(CResultLogDialog& owner) : owner_(owner) {}

    protected:
        bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        CResultLogDialog& owner_;
    };

    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    void FitLogColumns(HWND text);
    void ShowFailures();
    // The files an undo left as they are: in the caption, the label and the legend.
    void ShowFilesLeft();
    // Adds a count of files to the label.
    void AppendToLabel(const std::string& count);
    void ShowCaretLine();
    std::optional<std::size_t> CaretFileIndex() const;

    ResultLog log_;
    SettingsStore& settings_;
    CFont font_;
    std::optional<std::size_t> notProcessed_;
    bool preview_ = false;
    std::vector<std::string> files_;
    const PreviewChanges* changes_ = nullptr;
    LogBox logBox_;
    ControlAnchors anchors_;
    SIZE openedSize_{};
    const UndoLog* undoLog_ = nullptr;
    bool undoable_ = false;
};
