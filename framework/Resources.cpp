#include "framework/Resources.h"

HINSTANCE ResourceInstance()
{
    return ::GetModuleHandleA(nullptr);
}

std::string LoadResourceString(UINT id)
{
    std::string text(256, '\0');
    for (;;) {
        const int length = ::LoadStringA(ResourceInstance(), id, text.data(), static_cast<int>(text.size()));
        // A text that fills the buffer may have been cut.
        if (length + 1 < static_cast<int>(text.size())) {
            text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

HICON LoadIconOfSize(UINT id, int size)
{
    return static_cast<HICON>(
        ::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
}
