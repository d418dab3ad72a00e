#include "framework/DroppedFiles.h"

#include <shellapi.h>

std::vector<std::string> TakeDroppedFiles(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each path as long as it is, not cut at 260 bytes.
        std::string path(::DragQueryFileA(drop, i, nullptr, 0), '\0');
        ::DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(path);
    }
    ::DragFinish(drop);
    return paths;
}
