#pragma once
// The result log of the last run, kept for the program's life and shown after each run
// started from the window, in a fixed-pitch font so that its columns line up.
#include "engine/ResultLog.h"
#include "framework/Dialog.h"
#include "framework/Font.h"

class CResultLogDialog : public CDialog {
public:
    explicit CResultLogDialog(CWnd* parent);

    ResultLog& Log() { return log_; }
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
    bool preview_ = false;
};
