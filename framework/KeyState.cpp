#include "framework/KeyState.h"

bool IsKeyDown(int virtualKey)
{
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
