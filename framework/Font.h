#pragma once
// A font the program creates and deletes again.
#include <windows.h>

#include <string>
#include <utility>

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont();

    // `face` at `tenthsOfPoint` / 10 points for a window drawn at `dpi`, in the Japanese
    // character set.
    bool CreatePointFont(int tenthsOfPoint, const std::string& face, UINT dpi);
    HFONT Handle() const { return font_; }
    void Swap(CFont& other) { std::swap(font_, other.font_); }

private:
    HFONT font_ = nullptr;
};

// Gives `control` `font` made anew for `dpi` (the window's, or the new one after a move to a
// monitor of another scale); the font it had before is deleted only once no longer used.
void SetPointFontOf(HWND control, CFont& font, int tenthsOfPoint, const std::string& face, UINT dpi);
