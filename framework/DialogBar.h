#pragma once
// A bar made from a child dialog template of the program: its controls show what the frame
// tells them; the bar keeps the height of its template.
#include <windows.h>

#include "framework/ControlBar.h"

class CDialogBar : public CControlBar {
public:
    bool Create(const CWnd& parent, UINT templateId, int id);
    int CalcHeight() const override { return height_; }

private:
    int height_ = 0;
};
