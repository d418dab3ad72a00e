#include "framework/Resources.h"

#include "platform/win32/WideText.h"

HINSTANCE ResourceInstance()
{
    return ::GetModuleHandleW(nullptr);
}

std::string LoadResourceString(UINT id)
{
    // The table holds UTF-16 already: a pointer to it with the length, nothing copied.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(ResourceInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    return platform::NarrowShown(std::wstring_view(text, static_cast<std::size_t>(length)));
}

HICON LoadIconOfSize(UINT id, int size)
{
    return static_cast<HICON>(
        ::LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
}
