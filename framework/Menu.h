#pragma once
// A menu of the program's resources, destroyed with the object.
#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu();

    bool LoadMenu(UINT id);
    // The popup at `position` of the menu bar; owned by the menu.
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(menu_, position); }

private:
    HMENU menu_ = nullptr;
};

// Grays or enables an item of `menu` by its command.
void EnableMenuCommand(HMENU menu, UINT command, bool enabled);
// Shows `popup` at a screen position, tracking the right mouse button; the chosen command
// goes to `owner` as WM_COMMAND. Returns when the menu has closed.
void TrackPopupMenu(HMENU popup, POINT at, HWND owner);
