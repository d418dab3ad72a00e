#pragma once
// The result log of the last run, kept for the program's life and shown after each run
// started from the window, in a fixed-pitch font so that its columns line up. After an
// abort its caption says so, with the number of listed files the run did not take. The log
// of an undo is shown in it too, with a caption of its own; "元に戻す(&U)" ends it with
// IDC_UNDO, for the last run to be taken back.
#include <cstddef>
#include <optional>

#include "engine/run/ResultLog.h"
#include "engine/undo/UndoLog.h"
#include "framework/Dialog.h"
#include "framework/Font.h"

class CResultLogDialog : public CDialog {
public:
    explicit CResultLogDialog(CWnd* parent);

    ResultLog& Log() { return log_; }
    // For the log about to be shown: the run was aborted with `notProcessed` listed files
    // left untouched, or (nullopt) it completed.
    void SetAborted(std::optional<std::size_t> notProcessed) { notProcessed_ = notProcessed; }
    // The log shown next is that of a preview, which wrote nothing, and says so in its
    // caption and heading; or that of a run.
    void SetPreview(bool preview) { preview_ = preview; }
    // The log shown next is that of an undo, or (null) the run's own.
    void SetUndoLog(const UndoLog* log) { undoLog_ = log; }
    // Whether "元に戻す(&U)" is offered with the log shown next.
    void SetUndoable(bool undoable) { undoable_ = undoable; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void FitLogColumns(HWND text);

    ResultLog log_;
    CFont font_;
    std::optional<std::size_t> notProcessed_;
    bool preview_ = false;
    const UndoLog* undoLog_ = nullptr;
    bool undoable_ = false;
};
