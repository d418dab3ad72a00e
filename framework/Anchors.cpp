#include "framework/Anchors.h"

#include <algorithm>

#include "framework/Window.h"

void ControlAnchors::Capture(HWND dialog, const std::vector<std::pair<HWND, unsigned>>& controls)
{
    dialog_ = dialog;
    RECT client;
    ::GetClientRect(dialog, &client);
    client_ = {client.right, client.bottom};
    RECT outer;
    ::GetWindowRect(dialog, &outer);
    outer_ = {outer.right - outer.left, outer.bottom - outer.top};
    placed_.clear();
    for (const auto& [control, anchors] : controls)
        if (control)
            placed_.push_back({control, anchors, RectInParent(control)});
}

void ControlAnchors::Apply() const
{
    if (!dialog_)
        return;
    RECT client;
    ::GetClientRect(dialog_, &client);
    // Never smaller than laid out: a minimised window reports a client of nothing.
    const int dx = std::max(0L, client.right - client_.cx);
    const int dy = std::max(0L, client.bottom - client_.cy);
    HDWP positions = ::BeginDeferWindowPos(static_cast<int>(placed_.size()));
    for (const Placed& placed : placed_) {
        RECT rect = placed.Rect;
        const int moveX = (placed.Anchors & MoveRight) ? dx : (placed.Anchors & MoveHalfRight) ? dx / 2 : 0;
        const int moveY = (placed.Anchors & MoveDown) ? dy : 0;
        const int width = rect.right - rect.left + ((placed.Anchors & GrowWider) ? dx : 0);
        const int height = rect.bottom - rect.top + ((placed.Anchors & GrowTaller) ? dy : 0);
        if (positions)
            positions = ::DeferWindowPos(positions, placed.Control, nullptr, rect.left + moveX, rect.top + moveY, width,
                                         height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        ::EndDeferWindowPos(positions);
    ::InvalidateRect(dialog_, nullptr, TRUE);
}

void ControlAnchors::LimitTracking(MINMAXINFO& limits) const
{
    if (!dialog_)
        return;
    limits.ptMinTrackSize = {outer_.cx, outer_.cy};
}
