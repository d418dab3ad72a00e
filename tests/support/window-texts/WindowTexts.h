#pragma once
// The texts a program's windows show, read from outside the program through the wide API:
// each visible window's own text and, for lists, boxes, headers, status bars and menus,
// the texts of their items (of a list, the rows in view).
#include <windows.h>

#include <string>
#include <vector>

struct WindowText {
    std::wstring WindowClass;  // with " item" for the item of a list, box, header, bar or menu
    std::wstring Text;
};

struct WindowTexts {
    std::vector<WindowText> Texts;
    // What could not be read, one line each: a window that did not answer in time, an item
    // that could not be fetched.
    std::vector<std::wstring> Unread;
    // What the system does not let another process read (Wine: a menu's items).
    std::vector<std::wstring> Skipped;
};

// Which top-level windows: those of the process `ProcessId`, or, when it is 0, of every
// process whose program file is named `ProgramName` (the name alone, any case).
struct ProgramChoice {
    DWORD ProcessId = 0;
    std::wstring ProgramName;
};

// The visible top-level windows of the thread's desktop that `choice` takes, top first.
std::vector<HWND> ProgramWindows(const ProgramChoice& choice);
// Adds the texts of `topLevel` and of its visible children, descendants included.
void ReadWindowTexts(HWND topLevel, WindowTexts& into);
