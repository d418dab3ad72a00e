#pragma once
// Folders and the kinds of their entries.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class EntryKind {
    Missing,
    File,
    Folder,
    // A folder reached through a link (a symbolic link, a junction); only a listing tells.
    FolderLink,
    // Something that is neither a file nor a folder to be read (a device, a pipe).
    Other,
};

struct FolderEntry {
    std::string Name;
    EntryKind Kind;
    // False when Name does not name the entry, not even through the escape of SystemName:
    // it is then only for the user to read.
    bool Named = true;
    // A link (a symbolic link, another reparse point), which Kind tells the target of.
    bool Link = false;
};

// What `path` names, links followed.
EntryKind KindOf(const std::string& path);
// Whether `path` itself is a link (a symbolic link, another reparse point), whatever it
// leads to, or to nothing.
bool IsLink(const std::string& path);

// The entries of `folder` in the order the file system gives them, hidden and system
// entries included, without "." and "..". False, with no entries, when it cannot be read.
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);

// Which file or folder an entry is, whatever the path that names it: two paths name one
// entry exactly when their identities are equal.
struct EntryIdentity {
    std::uint64_t Volume = 0;
    std::uint64_t Index = 0;

    bool operator==(const EntryIdentity&) const = default;
};

// The identity of the file or folder `path` names, links followed; nullopt when it names
// nothing.
std::optional<EntryIdentity> IdentityOf(const std::string& path);

// Where the entry `path` names lies, every link on the way followed; empty when that
// cannot be told.
std::string FinalPath(const std::string& path);

// `name` inside `folder`, with one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder part of `path` up to and including its last separator (a 0x5C that is the
// second byte of a character is none); empty when `path` has no separator.
std::string FolderPartOf(const std::string& path);

}  // namespace platform
