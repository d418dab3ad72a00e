#include "platform/Folders.h"

#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {

EntryKind KindOfStatus(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return EntryKind::File;
    if (S_ISDIR(info.st_mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

// Links are followed for a file; a linked folder is told apart, so that a walk can keep
// out of it.
EntryKind KindOfListed(const std::string& path, bool& link)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return EntryKind::Missing;
    link = S_ISLNK(info.st_mode);
    if (!link)
        return KindOfStatus(info);
    const EntryKind target = KindOf(path);
    return target == EntryKind::Folder ? EntryKind::FolderLink : target;
}

}  // namespace

EntryKind KindOf(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? KindOfStatus(info) : EntryKind::Missing;
}

bool IsLink(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::optional<EntryIdentity> IdentityOf(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return EntryIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::string FinalPath(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return std::string();
    std::string final = resolved;
    std::free(resolved);
    return final;
}

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return false;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        EntryKind kind;
        bool link = entry->d_type == DT_LNK;
        switch (entry->d_type) {
        case DT_REG:
            kind = EntryKind::File;
            break;
        case DT_DIR:
            kind = EntryKind::Folder;
            break;
        case DT_LNK:
        case DT_UNKNOWN:
            kind = KindOfListed(JoinPath(folder, name), link);
            break;
        default:
            kind = EntryKind::Other;
            break;
        }
        entries.push_back({name, kind, true, link});
    }
    ::closedir(directory);
    return true;
}

}  // namespace platform
