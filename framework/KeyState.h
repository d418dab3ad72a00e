#pragma once
#include <windows.h>

// Whether the key is down at this moment, whatever the messages say.
bool IsKeyDown(int virtualKey);
