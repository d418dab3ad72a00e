#include "framework/ToolBar.h"

#include "framework/ChildControl.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"

namespace {

constexpr COLORREF TransparentColour = RGB(192, 192, 192);

}  // namespace

CToolBar::~CToolBar()
{
    if (images_)
        ::ImageList_Destroy(images_);
}

bool CToolBar::Create(const CWnd& parent, int id)
{
    m_hWnd = CreateChildControl(TOOLBARCLASSNAMEA,
                                WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NOPARENTALIGN |
                                    CCS_NODIVIDER,
                                0, RECT{}, parent.m_hWnd, id);
    if (!m_hWnd)
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

bool CToolBar::LoadButtons(UINT bitmapId, SIZE imageSize, std::span<const int> commands)
{
    images_ = ::ImageList_LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(bitmapId), imageSize.cx, 0,
                                     TransparentColour, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!images_)
        return false;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize.cx, imageSize.cy));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    commands_.assign(commands.begin(), commands.end());
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (const int command : commands_) {
        TBBUTTON button{};
        button.idCommand = command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = command == ToolBarSeparator ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = command == ToolBarSeparator ? 0 : image++;
        buttons.push_back(button);
    }
    if (!SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
        return false;
    SendMessage(TB_AUTOSIZE);
    return true;
}

RECT CToolBar::GetButtonRect(int command) const
{
    RECT rect{};
    SendMessage(TB_GETRECT, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int CToolBar::CalcHeight() const
{
    SendMessage(TB_AUTOSIZE);
    const RECT rect = GetWindowRect();
    return rect.bottom - rect.top;
}

void CToolBar::UpdateCommandStates(const CFrameWnd& frame)
{
    for (const int command : commands_)
        if (command != ToolBarSeparator && IsButtonEnabled(command) != frame.IsCommandEnabled(command))
            SendMessage(TB_ENABLEBUTTON, static_cast<WPARAM>(command), frame.IsCommandEnabled(command));
}
