#include "platform/VersionInfo.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

std::string QueryString(std::vector<char>& block, const std::wstring& prefix, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = prefix + name;
    if (!::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return std::string();
    return NarrowShown(value);
}

}  // namespace

std::optional<VersionStrings> ReadVersionStrings(const std::string& path)
{
    DWORD ignored = 0;
    const std::wstring file = WidePath(path);
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data()))
        return std::nullopt;
    const WORD* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", (void**)&translation, &length) ||
        length < 2 * sizeof(WORD))
        return std::nullopt;
    // The language in the low word, the code page in the high word.
    wchar_t prefix[40];
    std::swprintf(prefix, 40, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    return VersionStrings{QueryString(block, prefix, L"ProductName"), QueryString(block, prefix, L"ProductVersion"),
                          QueryString(block, prefix, L"LegalCopyright")};
}

}  // namespace platform
