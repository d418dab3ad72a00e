#include "framework/Dpi.h"

#include "framework/Resources.h"

namespace {

// Windows 10's per-window and per-monitor calls, looked up at run time: the program also
// starts where they are missing.
template <typename Function>
Function UserCall(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

UINT SystemDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : StandardDpi;
}

}  // namespace

UINT WindowDpi(HWND window)
{
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto forWindow = UserCall<GetDpiForWindowCall>("GetDpiForWindow");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window))
            return dpi;
    }
    return SystemDpi();
}

namespace {

// A system measure at `dpi`, or the one at 100 % scaled where Windows cannot say.
int MetricForDpi(int index, UINT dpi, int atStandardDpi)
{
    using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
    static const auto forDpi = UserCall<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    const int measure = forDpi ? forDpi(index, dpi) : 0;
    return measure > 0 ? measure : ScaledToDpi(atStandardDpi, dpi);
}

}  // namespace

int SmallIconSide(UINT dpi)
{
    return MetricForDpi(SM_CXSMICON, dpi, 16);
}

int LargeIconSide(UINT dpi)
{
    return MetricForDpi(SM_CXICON, dpi, 32);
}

void MoveToSuggestedRect(HWND window, LPARAM suggestion)
{
    const RECT& suggested = *reinterpret_cast<const RECT*>(suggestion);
    ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetIconsForDpi(HWND window, UINT iconId, UINT dpi)
{
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconOfSize(iconId, LargeIconSide(dpi))));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconOfSize(iconId, SmallIconSide(dpi))));
}
