#include "framework/Font.h"

#include "platform/win32/WideText.h"

CFont::~CFont()
{
    if (font_)
        ::DeleteObject(font_);
}

bool CFont::CreatePointFont(int tenthsOfPoint, const std::string& face, UINT dpi)
{
    LOGFONTW description{};
    description.lfHeight = -::MulDiv(tenthsOfPoint, static_cast<int>(dpi), 720);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(description.lfFaceName, platform::Wide(face).c_str(), LF_FACESIZE);
    if (font_)
        ::DeleteObject(font_);
    font_ = ::CreateFontIndirectW(&description);
    return font_ != nullptr;
}

void SetPointFontOf(HWND control, CFont& font, int tenthsOfPoint, const std::string& face, UINT dpi)
{
    CFont made;
    if (!made.CreatePointFont(tenthsOfPoint, face, dpi))
        return;
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(made.Handle()), TRUE);
    // The control draws in the new font now; the old one goes with `made`.
    font.Swap(made);
}
