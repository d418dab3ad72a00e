#pragma once
// A status bar with one pane at the bottom of a frame window.
#include <string>

#include "framework/ControlBar.h"

class CStatusBar : public CControlBar {
public:
    bool Create(const CWnd& parent, int id);
    void SetText(const std::string& text) const;
    std::string GetText() const;
    // The pane's right edge, in pixels from the bar's left.
    void SetPaneWidth(int width) const;

    int CalcHeight() const override;
};
