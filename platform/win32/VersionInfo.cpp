#include "platform/VersionInfo.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace platform {

namespace {

std::string QueryString(std::vector<char>& block, const std::string& prefix, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string query = prefix + name;
    if (!::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return std::string();
    return std::string(value);
}

}  // namespace

std::optional<VersionStrings> ReadVersionStrings(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    const WORD* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (void**)&translation, &length) ||
        length < 2 * sizeof(WORD))
        return std::nullopt;
    // The language in the low word, the code page in the high word.
    char prefix[40];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    return VersionStrings{QueryString(block, prefix, "ProductName"), QueryString(block, prefix, "ProductVersion"),
                          QueryString(block, prefix, "LegalCopyright")};
}

}  // namespace platform
