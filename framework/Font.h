#pragma once
// A font the program creates and deletes again.
#include <windows.h>

#include <string>

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont();

    // `face` at `tenthsOfPoint` / 10 points on the screen, in the Japanese character set.
    bool CreatePointFont(int tenthsOfPoint, const std::string& face);
    HFONT Handle() const { return font_; }

private:
    HFONT font_ = nullptr;
};
