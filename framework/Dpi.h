#pragma once
// The dots per inch a window is drawn at: the monitor's where the program is aware of each
// monitor (Windows 10 and later), the system's otherwise; 96 is 100 %.
#include <windows.h>

inline constexpr UINT StandardDpi = 96;

UINT WindowDpi(HWND window);

// `pixels` at 100 % as many pixels at `dpi`.
inline int ScaledToDpi(int pixels, UINT dpi)
{
    return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(StandardDpi));
}

// Gives the window the icon `iconId` of the program's resources in its large and small
// sizes for `dpi`.
void SetIconsForDpi(HWND window, UINT iconId, UINT dpi);

// Takes the place and size Windows suggests with WM_DPICHANGED (its `lParam`).
void MoveToSuggestedRect(HWND window, LPARAM suggestion);

// The side of a small icon (16 pixels at 100 %) and of a large one at `dpi`.
int SmallIconSide(UINT dpi);
int LargeIconSide(UINT dpi);
