#pragma once
// Controls that follow the size of a sizable dialog: each keeps its distance to the edges
// it is anchored to, as laid out by the dialog template, and no window gets smaller than
// the template made it.
#include <windows.h>

#include <vector>

// Which way a control goes when its dialog grows by (dx, dy).
enum Anchor : unsigned {
    MoveRight = 1,     // moves by dx
    MoveDown = 2,      // moves by dy
    GrowWider = 4,     // grows by dx
    GrowTaller = 8,    // grows by dy
    MoveHalfRight = 16 // moves by dx / 2: stays centred
};

class ControlAnchors {
public:
    // Remembers the dialog's client size and each control's place, as they are now.
    void Capture(HWND dialog, const std::vector<std::pair<HWND, unsigned>>& controls);
    // Places the controls for the dialog's present client size.
    void Apply() const;
    // The dialog's outer size when Capture ran: it is not made smaller than that.
    void LimitTracking(MINMAXINFO& limits) const;

private:
    struct Placed {
        HWND Control;
        unsigned Anchors;
        RECT Rect;
    };
    HWND dialog_ = nullptr;
    SIZE client_{};
    SIZE outer_{};
    std::vector<Placed> placed_;
};
