#include "framework/ToolBar.h"

#include <algorithm>

#include "framework/ChildControl.h"
#include "framework/Dpi.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"

namespace {

constexpr COLORREF TransparentColour = RGB(192, 192, 192);

// The bitmap `bitmapId` of `count` images of `from` pixels each, every image made `to`
// pixels by repeating pixels (no blend: the drawings keep their sharp edges, and the
// transparent grey stays exactly that grey).
HBITMAP ScaledImages(UINT bitmapId, SIZE from, SIZE to, int count)
{
    HBITMAP source = static_cast<HBITMAP>(
        ::LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!source)
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC sourceDc = ::CreateCompatibleDC(screen);
    HDC scaledDc = ::CreateCompatibleDC(screen);
    HBITMAP scaled = ::CreateCompatibleBitmap(screen, to.cx * count, to.cy);
    bool drawn = false;
    if (sourceDc && scaledDc && scaled) {
        const HGDIOBJ oldSource = ::SelectObject(sourceDc, source);
        const HGDIOBJ oldScaled = ::SelectObject(scaledDc, scaled);
        ::SetStretchBltMode(scaledDc, COLORONCOLOR);
        drawn = ::StretchBlt(scaledDc, 0, 0, to.cx * count, to.cy, sourceDc, 0, 0, from.cx * count, from.cy, SRCCOPY);
        ::SelectObject(scaledDc, oldScaled);
        ::SelectObject(sourceDc, oldSource);
    }
    if (scaledDc)
        ::DeleteDC(scaledDc);
    if (sourceDc)
        ::DeleteDC(sourceDc);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(source);
    if (!drawn && scaled) {
        ::DeleteObject(scaled);
        return nullptr;
    }
    return scaled;
}

}  // namespace

CToolBar::~CToolBar()
{
    if (images_)
        ::ImageList_Destroy(images_);
}

bool CToolBar::Create(const CWnd& parent, int id)
{
    m_hWnd = CreateChildControl(TOOLBARCLASSNAMEW,
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
    bitmapId_ = bitmapId;
    imageSize_ = imageSize;
    commands_.assign(commands.begin(), commands.end());
    if (!LoadImages(WindowDpi(m_hWnd)))
        return false;
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
    if (!SendMessage(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
        return false;
    SendMessage(TB_AUTOSIZE);
    return true;
}

bool CToolBar::LoadImages(UINT dpi)
{
    const int count = static_cast<int>(std::count_if(commands_.begin(), commands_.end(),
                                                     [](int command) { return command != ToolBarSeparator; }));
    const SIZE size{ScaledToDpi(imageSize_.cx, dpi), ScaledToDpi(imageSize_.cy, dpi)};
    HBITMAP bitmap = ScaledImages(bitmapId_, imageSize_, size, count);
    HIMAGELIST images = bitmap ? ::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, count, 0) : nullptr;
    const bool added = images && ::ImageList_AddMasked(images, bitmap, TransparentColour) >= 0;
    if (bitmap)
        ::DeleteObject(bitmap);
    if (!added) {
        if (images)
            ::ImageList_Destroy(images);
        return false;
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (images_)
        ::ImageList_Destroy(images_);
    images_ = images;
    return true;
}

void CToolBar::ChangeDpi(UINT dpi)
{
    if (images_ && LoadImages(dpi))
        SendMessage(TB_AUTOSIZE);
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
