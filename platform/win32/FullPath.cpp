#include "platform/FullPath.h"

#include "platform/DoubleByte.h"
#include "platform/Folders.h"
#include "platform/PathRules.h"
#include "platform/win32/SystemText.h"

namespace platform {

namespace {

std::string FullPathName(const std::string& path)
{
    return SystemText([&](char* buffer, DWORD size) {
        return ::GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
}

// The length of the part that is kept as written: "C:\", or "\\server\share\" of a network
// path; 0 when the path has no root of either form.
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\')
        return 3;
    if (!path.starts_with("\\\\"))
        return 0;
    const std::size_t server = FindCharacter(path, '\\', 2);
    if (server == std::string::npos)
        return 0;
    const std::size_t share = FindCharacter(path, '\\', server + 1);
    return share == std::string::npos ? path.size() : share + 1;
}

// The stored name of the entry `pattern` names (the first match of a wildcard), or empty.
std::string StoredName(const std::string& pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    ::FindClose(search);
    return found.cFileName;
}

}  // namespace

std::string AbsolutePath(const std::string& path)
{
    return IsAbsolutePath(path) ? path : FullPathName(path);
}

std::string ResolveStoredPath(const std::string& name)
{
    if (name.empty())
        return std::string();
    const std::string full = FullPathName(name);
    const std::size_t rootLength = RootLength(full);
    if (rootLength == 0)
        return std::string();
    std::string resolved = full.substr(0, rootLength);
    std::size_t start = rootLength;
    while (start < full.size()) {
        std::size_t end = FindCharacter(full, '\\', start);
        if (end == std::string::npos)
            end = full.size();
        if (end > start) {
            const std::string stored = StoredName(JoinPath(resolved, full.substr(start, end - start)));
            if (stored.empty())
                return std::string();
            resolved = JoinPath(resolved, stored);
        }
        start = end + 1;
    }
    const EntryKind kind = KindOf(resolved);
    return kind == EntryKind::File || kind == EntryKind::Folder ? resolved : std::string();
}

}  // namespace platform
