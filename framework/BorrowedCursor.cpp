#include "framework/BorrowedCursor.h"

#include "platform/win32/WideText.h"

HCURSOR BorrowCursor(const std::string& modulePath, UINT cursorId)
{
    // As data only: nothing of the module runs.
    HMODULE module = ::LoadLibraryExW(platform::WidePath(modulePath).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return nullptr;
    HCURSOR copy = nullptr;
    if (HCURSOR cursor = ::LoadCursorW(module, MAKEINTRESOURCEW(cursorId)))
        copy = static_cast<HCURSOR>(::CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0));
    ::FreeLibrary(module);
    return copy;
}

std::string WindowsFolderFile(const std::string& name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return name;
    std::string path = platform::NarrowShown(std::wstring_view(folder, length));
    if (path.back() != '\\')
        path += '\\';
    return path + name;
}
