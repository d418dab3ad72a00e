#include "framework/MessageLoop.h"

#include "framework/Idle.h"
#include "framework/Window.h"

namespace {

bool PreTranslate(MSG& message)
{
    for (HWND hwnd = message.hwnd; hwnd;) {
        if (CWnd* window = CWnd::FromHandlePermanent(hwnd); window && window->PreTranslateMessage(message))
            return true;
        if (!(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
            break;
        hwnd = ::GetParent(hwnd);
    }
    return false;
}

}  // namespace

void DispatchWithPreTranslation(MSG& message)
{
    if (PreTranslate(message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void RunMessagesUntil(const bool& done)
{
    MSG message;
    while (!done) {
        const BOOL got = GetMessageWhenIdle(message);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0)
            return;
        DispatchWithPreTranslation(message);
    }
}

bool RunMessagesUntilSignaled(HANDLE handle)
{
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return false;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return ::WaitForSingleObject(handle, INFINITE) == WAIT_OBJECT_0;
            }
            DispatchWithPreTranslation(message);
        }
    }
}
