#pragma once
// A bar docked at the top or the bottom of a frame window, across its whole width: the
// frame asks the bar's height and places it.
#include "framework/Window.h"

class CFrameWnd;

enum class BarEdge { Top, Bottom };

class CControlBar : public CWnd {
public:
    // The height the bar takes.
    virtual int CalcHeight() const = 0;
    // The commands' enable states may have changed: a bar that shows them follows.
    virtual void UpdateCommandStates(const CFrameWnd&) {}
    // The frame moved to a monitor of another scale: a bar that draws images follows.
    virtual void ChangeDpi(UINT) {}
};
