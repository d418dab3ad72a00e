#pragma once
// A row of flat command buttons with images from a bitmap of the program, tool tips and
// prompts in the frame's status bar (both from the command's string, see CFrameWnd); a
// button is enabled exactly when the frame enables its command.
#include <windows.h>
#include <commctrl.h>

#include <span>
#include <vector>

#include "framework/ControlBar.h"

// A separator among a toolbar's commands.
inline constexpr int ToolBarSeparator = 0;

class CToolBar : public CControlBar {
public:
    CToolBar() = default;
    ~CToolBar() override;

    bool Create(const CWnd& parent, int id);
    // One button per command, in order, the n-th button showing the n-th image of the
    // bitmap `bitmapId` (`imageSize` pixels each); the bitmap's light grey (192, 192, 192)
    // is transparent. The images are drawn for the window's DPI, at `imageSize` times its
    // scale.
    bool LoadButtons(UINT bitmapId, SIZE imageSize, std::span<const int> commands);
    // The images drawn again for a window moved to a monitor of another scale.
    void ChangeDpi(UINT dpi) override;

    bool IsButtonEnabled(int command) const
    {
        return SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(command)) != 0;
    }
    // The rectangle of the button in the toolbar's client area.
    RECT GetButtonRect(int command) const;

    int CalcHeight() const override;
    void UpdateCommandStates(const CFrameWnd& frame) override;

private:
    bool LoadImages(UINT dpi);

    UINT bitmapId_ = 0;
    SIZE imageSize_{};
    std::vector<int> commands_;
    HIMAGELIST images_ = nullptr;
};
