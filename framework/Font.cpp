#include "framework/Font.h"

CFont::~CFont()
{
    if (font_)
        ::DeleteObject(font_);
}

bool CFont::CreatePointFont(int tenthsOfPoint, const std::string& face)
{
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(tenthsOfPoint, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, screen);
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(description.lfFaceName, face.c_str(), LF_FACESIZE);
    if (font_)
        ::DeleteObject(font_);
    font_ = ::CreateFontIndirectA(&description);
    return font_ != nullptr;
}
