#pragma once
// Creating a control inside a window of the program.
#include <windows.h>

// A child window of the system class `className` with the id `id`, at `rect` in the
// parent's client area; null when it cannot be created.
HWND CreateChildControl(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, int id);
