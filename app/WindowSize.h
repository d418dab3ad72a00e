#pragma once
// The size the user gave a sizable window, kept in the settings file: the window opens at
// it, never smaller than its template makes it, and writes it when it closes after the
// user changed it.
#include <windows.h>

#include "app/SettingsTable.h"

class SettingsStore;

struct WindowSizeKeys {
    Setting Width;
    Setting Height;
};

// Gives `window` the remembered size, when there is one, and returns the size it opens with.
SIZE RestoreWindowSize(HWND window, const SettingsStore& settings, WindowSizeKeys keys);
// Writes the window's size, unless it still has `opened`, the size it opened with.
void RememberWindowSize(HWND window, SettingsStore& settings, WindowSizeKeys keys, SIZE opened);
