#include "framework/DroppedFiles.h"

#include <shellapi.h>

#include "platform/win32/WideText.h"

std::vector<platform::SystemName> TakeDroppedFiles(HDROP drop)
{
    std::vector<platform::SystemName> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each path as long as it is, not cut at 260 characters, and in the system's own
        // characters: the narrow form of a name may be a look-alike of it.
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0), L'\0');
        ::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(platform::NameFromSystem(path));
    }
    ::DragFinish(drop);
    return paths;
}
