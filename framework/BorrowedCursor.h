#pragma once
// Cursors borrowed from the system's own programs and libraries.
#include <windows.h>

#include <string>

// A private copy of the cursor resource `cursorId` of the module `modulePath` (a name the
// system looks up, or a full path), or null when the module or the cursor is not there.
// The module is released at once; the caller destroys the copy with DestroyCursor.
HCURSOR BorrowCursor(const std::string& modulePath, UINT cursorId);

// The Windows folder followed by `name`.
std::string WindowsFolderFile(const std::string& name);
