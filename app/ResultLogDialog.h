#pragma once
// The result log of the last run, kept for the program's life and shown after each run
// started from the window, in a fixed-pitch font so that its columns line up. After an
// abort its caption says so, with the number of listed files the run did not take.
#include <cstddef>
#include <optional>

#include "engine/run/ResultLog.h"
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

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void FitLogColumns(HWND text);

    ResultLog log_;
    CFont font_;
    std::optional<std::size_t> notProcessed_;
    bool preview_ = false;
};
