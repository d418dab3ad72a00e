#include "app/WindowSize.h"

#include <algorithm>

#include "app/SettingsStore.h"

namespace {

SIZE OuterSize(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    // The size it has when restored, also while it is minimised or maximised.
    ::GetWindowPlacement(window, &placement);
    const RECT& rect = placement.rcNormalPosition;
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

SIZE RestoreWindowSize(HWND window, const SettingsStore& settings, WindowSizeKeys keys)
{
    const SIZE opened = OuterSize(window);
    const int width = settings.ReadSwitch(keys.Width);
    const int height = settings.ReadSwitch(keys.Height);
    if (width > 0 && height > 0)
        ::SetWindowPos(window, nullptr, 0, 0, std::max<int>(width, opened.cx), std::max<int>(height, opened.cy),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return OuterSize(window);
}

void RememberWindowSize(HWND window, SettingsStore& settings, WindowSizeKeys keys, SIZE opened)
{
    const SIZE now = OuterSize(window);
    if (now.cx == opened.cx && now.cy == opened.cy)
        return;
    settings.WriteSwitch(keys.Width, now.cx);
    settings.WriteSwitch(keys.Height, now.cy);
}
