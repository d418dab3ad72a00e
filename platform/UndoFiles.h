#pragma once
// The file services the undo journal needs: second names and whole copies of originals,
// putting one back over the file a run wrote, a journal appended to by several threads,
// and a lock that tells a journal in use.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// The regular file `path` names now, a link in its last component not followed; nullopt
// when the name is free or names something else (a link, a folder).
std::optional<FileStamp> StampOfName(const std::string& path);

// The regular file `path` names, links followed; nullopt for anything else.
std::optional<FileStamp> StampOfFile(const std::string& path);

// The size of the regular file `path` names, links followed; nullopt for anything else.
std::optional<std::uint64_t> SizeOfFile(const std::string& path);

// A second name `to` for the file `from` names, which must lie on the same file system;
// fails when `to` exists.
bool LinkFile(const std::string& from, const std::string& to);

// A new file `to` with the content of `from` and its permission bits, modification time,
// extended attributes (the access control list) and, as far as the user may give it, its
// owner; its data reaches the disk before this returns. Fails, leaving nothing, when `to`
// exists or anything cannot be copied (on Windows the copy keeps what CopyFile keeps).
bool CopyFileWhole(const std::string& from, const std::string& to);

// Puts the file `from` in the place of `to` in one step, while `to` is still the file
// `expected` describes (checked against other runs of the program as ReplaceAtomically
// checks); `from` keeps its own bits, owner and attributes. Fails, leaving both, otherwise.
bool PutBack(const std::string& from, const std::string& to, const FileStamp& expected);

// Whether the files `a` and `b` name (links not followed) let the same users at them: the
// same permission bits, owner and group (on Windows: the same read-only attribute). A file
// the user closed to others since a run kept its original no longer is as the run left it.
bool SameAccess(const std::string& a, const std::string& b);

// The file system that holds `folder`: the bytes the user may still write on it and the
// bytes its files take up.
struct DiskSpace {
    std::uint64_t Free = 0;
    std::uint64_t Used = 0;
    // The unit space is given out in: a file of a byte takes one.
    std::uint64_t Block = 4096;
};
std::optional<DiskSpace> SpaceOf(const std::string& folder);

// Which file system holds `path` (a link followed): the same number for two paths on one.
std::optional<std::uint64_t> FileSystemOf(const std::string& path);

// Creates `folder` for its owner alone; fails when it exists.
bool MakeFolder(const std::string& folder);
// Creates `folder` and every missing folder above it; true when it is there.
bool MakeFolders(const std::string& folder);
// Removes an empty folder.
bool RemoveFolder(const std::string& folder);

// A folder the program keeps files in, held open where the system allows it, so that a name
// in it is made and looked at without the folder's path being looked up again.
class HeldFolder {
public:
    HeldFolder() = default;
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;
    ~HeldFolder();

    bool Open(const std::string& path);
    void Close();
    // A second name `name` in the folder for the file `from` names, as LinkFile makes.
    bool Link(const std::string& from, const std::string& name) const;

private:
    std::string path_;
    std::intptr_t handle_ = -1;
};

// A file held by one object of one process at a time: taken at once or not at all, never
// waited for. Lets go when the object goes, or the process ends however it ends.
class ExclusiveLock {
public:
    ExclusiveLock() = default;
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    ~ExclusiveLock();

    // Creates the file when it is missing.
    bool TryTake(const std::string& path);
    void Release();

private:
    std::intptr_t handle_ = -1;
};

// A file only ever appended to: each piece goes in with one write, so that the pieces of
// several threads never mix; a process killed while it writes leaves at most its last
// piece cut short.
class AppendFile {
public:
    AppendFile() = default;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;
    ~AppendFile();

    // Creates the file when it is missing.
    bool Open(const std::string& path);
    bool Append(const std::string& piece);
    // What was appended reaches the disk.
    bool Sync();
    void Close();

private:
    std::intptr_t handle_ = -1;
};

}  // namespace platform
