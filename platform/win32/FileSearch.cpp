#include "platform/FileSearch.h"

#include "platform/win32/SystemText.h"

namespace platform {

std::string SearchFile(const std::string& name)
{
    if (name.empty())
        return std::string();
    return SystemText([&](char* buffer, DWORD size) {
        return ::SearchPathA(nullptr, name.c_str(), nullptr, size, buffer, nullptr);
    });
}

}  // namespace platform
