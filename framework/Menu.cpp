#include "framework/Menu.h"

#include "framework/Resources.h"

CMenu::~CMenu()
{
    if (menu_)
        ::DestroyMenu(menu_);
}

bool CMenu::LoadMenu(UINT id)
{
    menu_ = ::LoadMenuW(ResourceInstance(), MAKEINTRESOURCEW(id));
    return menu_ != nullptr;
}

void EnableMenuCommand(HMENU menu, UINT command, bool enabled)
{
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TrackPopupMenu(HMENU popup, POINT at, HWND owner)
{
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}
