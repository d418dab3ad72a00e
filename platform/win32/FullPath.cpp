#include "platform/FullPath.h"

#include "platform/DoubleByte.h"
#include "platform/Folders.h"
#include "platform/PathRules.h"
#include "platform/win32/SystemText.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// Empty when the current directory it is taken against cannot pass into code page 932.
std::string FullPathName(const std::string& path)
{
    const std::wstring wide = WidePath(path);
    const SystemName full = NameFromSystem(SystemText<wchar_t>([&](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
    }));
    return full.NamesTheFile() ? full.Text : std::string();
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
SystemName StoredName(const std::string& pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(WidePath(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    ::FindClose(search);
    return NameFromSystem(found.cFileName);
}

}  // namespace

std::string AbsolutePath(const std::string& path)
{
    return IsAbsolutePath(path) ? path : FullPathName(path);
}

SystemName ResolveStoredPath(const std::string& name)
{
    if (name.empty())
        return {};
    const std::string full = FullPathName(name);
    const std::size_t rootLength = RootLength(full);
    if (rootLength == 0)
        return {};
    std::string resolved = full.substr(0, rootLength);
    std::size_t start = rootLength;
    while (start < full.size()) {
        std::size_t end = FindCharacter(full, '\\', start);
        if (end == std::string::npos)
            end = full.size();
        if (end > start) {
            const SystemName stored = StoredName(JoinPath(resolved, full.substr(start, end - start)));
            if (stored.Text.empty())
                return {};
            resolved = JoinPath(resolved, stored.Text);
            // A short name, or a wildcard, can stand for a name the program cannot carry.
            if (!stored.NamesTheFile())
                return {resolved + full.substr(end), false};
        }
        start = end + 1;
    }
    const EntryKind kind = KindOf(resolved);
    return kind == EntryKind::File || kind == EntryKind::Folder ? SystemName{resolved} : SystemName{};
}

}  // namespace platform
