#include "platform/FullPath.h"

#include <fnmatch.h>

#include "platform/CurrentDirectory.h"
#include "platform/Folders.h"
#include "platform/PathRules.h"

namespace platform {

namespace {

// Drops empty and "." components, which name nothing; ".." stays, because a link before it
// decides where it leads.
std::string WithoutEmptyComponents(const std::string& path)
{
    std::string cleaned = "/";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string component = path.substr(start, end - start);
        if (!component.empty() && component != ".") {
            if (cleaned.size() > 1)
                cleaned += '/';
            cleaned += component;
        }
        start = end + 1;
    }
    return cleaned;
}

bool IsFileOrFolder(EntryKind kind)
{
    return kind == EntryKind::File || kind == EntryKind::Folder;
}

// Names may hold "*" and "?" here, so a pattern is only tried when no entry has the name.
// The first in the order of the names' bytes, as Windows lists a folder: not the order the
// folder happens to keep.
std::string FirstMatch(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    const std::string pattern = path.substr(slash + 1);
    if (pattern.find_first_of("*?[") == std::string::npos)
        return std::string();
    std::vector<FolderEntry> entries;
    ListFolder(folder, entries);
    const std::string* first = nullptr;
    for (const FolderEntry& entry : entries)
        if (::fnmatch(pattern.c_str(), entry.Name.c_str(), FNM_NOESCAPE) == 0 && (!first || entry.Name < *first))
            first = &entry.Name;
    return first ? JoinPath(folder, *first) : std::string();
}

}  // namespace

std::string AbsolutePath(const std::string& path)
{
    if (IsAbsolutePath(path))
        return path;
    const std::string current = CurrentDirectory();
    return current.empty() ? std::string() : JoinPath(current, path);
}

SystemName ResolveStoredPath(const std::string& name)
{
    const std::string absolute = AbsolutePath(name);
    if (name.empty() || absolute.empty())
        return {};
    std::string path = WithoutEmptyComponents(absolute);
    if (KindOf(path) == EntryKind::Missing)
        path = FirstMatch(path);
    return !path.empty() && IsFileOrFolder(KindOf(path)) ? SystemName{path} : SystemName{};
}

}  // namespace platform
