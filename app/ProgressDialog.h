#pragma once
// The progress of a run: "i/N" in control 1062, and the only way to abort. Shown modally
// for as long as the run lasts; the run starts once the dialog is visible.
#include <functional>

#include "engine/flow/AbortFlag.h"
#include "framework/Dialog.h"
#include "framework/MessageMap.h"

class ProgressDialog : public MessageMapped<ProgressDialog, CDialog> {
public:
    explicit ProgressDialog(CWnd* parent);

    static const MessageMap<ProgressDialog>& GetMessageMap();

    // Shows the dialog modally and returns its end code once it has gone. `shown` is called
    // once, when the dialog is visible, with its window; when it returns false the dialog
    // ends at once. "中止", Esc and the close box set `abort` and end it with IDCANCEL; the
    // run ends it with its OK command.
    INT_PTR Show(AbortFlag& abort, std::function<bool(HWND)> shown);

protected:
    BOOL OnInitDialog() override;
    // The abort is set at once, before the dialog has gone.
    void OnCancel() override;

private:
    LRESULT OnShown(WPARAM, LPARAM);

    AbortFlag* abort_ = nullptr;
    std::function<bool(HWND)> shown_;
};
