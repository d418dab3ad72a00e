#include "framework/BorrowedCursor.h"

HCURSOR BorrowCursor(const std::string& modulePath, UINT cursorId)
{
    // As data only: nothing of the module runs.
    HMODULE module = ::LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return nullptr;
    HCURSOR copy = nullptr;
    if (HCURSOR cursor = ::LoadCursorA(module, MAKEINTRESOURCEA(cursorId)))
        copy = static_cast<HCURSOR>(::CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0));
    ::FreeLibrary(module);
    return copy;
}

std::string WindowsFolderFile(const std::string& name)
{
    char folder[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return name;
    std::string path(folder, length);
    if (path.back() != '\\')
        path += '\\';
    return path + name;
}
