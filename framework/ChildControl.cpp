#include "framework/ChildControl.h"

#include "framework/Resources.h"

HWND CreateChildControl(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, int id)
{
    return ::CreateWindowExW(exStyle, className, L"", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ResourceInstance(), nullptr);
}
