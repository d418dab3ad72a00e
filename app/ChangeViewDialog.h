#pragma once
// The changes a preview would make to one file: its changed lines before ("-") and after
// ("+"), with the lines around them, in a fixed-pitch font. Opened from the preview's log;
// it can be made larger.
#include <string>

#include "framework/Anchors.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/MessageMap.h"

class CChangeViewDialog : public MessageMapped<CChangeViewDialog, CDialog> {
public:
    // `diff` as PreviewChanges keeps it, for the file at `path`.
    CChangeViewDialog(CWnd* parent, std::string path, std::string diff);

    static const MessageMap<CChangeViewDialog>& GetMessageMap();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);

    std::string path_;
    std::string diff_;
    CFont font_;
    ControlAnchors anchors_;
};

// Lines ended by CR LF, as an edit box shows them, whatever ended them before.
std::string WithWindowsLineEnds(const std::string& text);
