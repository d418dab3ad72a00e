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

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void FitLogColumns(HWND text);

    ResultLog log_;
    CFont font_;
};
