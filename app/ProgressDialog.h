#pragma once
// The progress of a run: "i/N" in control 1062, and the only way to abort. Shown modally
// for as long as the run's worker thread works; the worker waits until it is shown.
#include "engine/AbortFlag.h"
#include "framework/Dialog.h"
#include "framework/MessageMap.h"

class ProgressDialog : public MessageMapped<ProgressDialog, CDialog> {
public:
    explicit ProgressDialog(CWnd* parent);
    ~ProgressDialog() override;

    static const MessageMap<ProgressDialog>& GetMessageMap();

    // Before each run: not shown yet, and "中止", Esc and the close box set `abort`.
    void Prepare(AbortFlag& abort);
    // From the worker: returns the dialog's window once it is shown, or null when the run
    // gave up showing it (Release).
    HWND WaitUntilShown() const;
    // Lets a worker that waits for the dialog go on; the dialog will not be shown.
    void Release();

protected:
    // The abort is set at once, before the dialog has gone.
    void OnCancel() override;

private:
    LRESULT OnShowWindow(WPARAM shown, LPARAM);

    HANDLE shown_;
    HWND shownWindow_ = nullptr;
    AbortFlag* abort_ = nullptr;
};
