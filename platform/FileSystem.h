#pragma once
// The file services the portable code needs. Paths are the program's own bytes
// (code page 932 on Windows); each implementation passes them to its system unchanged.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>
#include <utility>

#include "platform/PathRules.h"

namespace platform {

enum class ReadStatus { Ok, OpenFailed, NoMemory, ReadFailed };

// Tells the file that was read from one put under its name since, or changed since: which
// file it is on its volume, its size and the time of its last change.
struct FileStamp {
    std::uint64_t Volume = 0;
    std::uint64_t Index = 0;
    std::uint64_t Size = 0;
    std::uint64_t Modified = 0;

    bool operator==(const FileStamp&) const = default;
};

// A whole file in one buffer of its length + 1 bytes, the last one a NUL.
class FileContent {
public:
    char* Data() { return bytes_.get(); }
    const char* Data() const { return bytes_.get(); }
    std::size_t Size() const { return size_; }
    bool Allocate(std::size_t size);
    // The file as it was when it was read.
    const FileStamp& Stamp() const { return stamp_; }
    void SetStamp(const FileStamp& stamp) { stamp_ = stamp; }
    // The name the bytes were read under: the one asked for, or where that name is a
    // symbolic link, the file behind it at the end of the chain of links.
    const std::string& ReadPath() const { return readPath_; }
    void SetReadPath(std::string path) { readPath_ = std::move(path); }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    FileStamp stamp_;
    std::string readPath_;
};

// Opens, reads every byte and closes; no limit but memory. Only a regular file is read: a
// pipe or a device fails at once instead of waiting for data. A symbolic link is followed,
// and the content tells which file was read.
ReadStatus ReadWholeFile(const std::string& path, FileContent& content);

// A file opened for writing: created, or truncated when it exists.
class FileWriter {
public:
    FileWriter() = default;
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    ~FileWriter();

    bool Create(const std::string& path);
    // Creates a file that did not exist, not even as a dangling link, readable and writable
    // by its owner only until ReplaceAtomically gives it the bits of the file it replaces.
    // The file is held as the program's own while it is open (RemoveLeftover).
    bool CreateNew(const std::string& path);
    // Writes all bytes or reports failure.
    bool Write(const void* data, std::size_t length);
    // Pushes what was written to the disk itself.
    bool Flush();
    // Makes the content safe to put in place with ReplaceAtomically: the data reaches the
    // disk before the name does, or a power loss soon after the replace could leave the
    // name pointing at unwritten data (an empty file) on file systems that do not flush on
    // rename.
    bool FlushBeforeReplace();
    // FlushBeforeReplace of several files at once, those on one file system together where
    // the system can flush a whole file system (one wait for the disk instead of one per
    // file), each file's own write errors still told; whether each one's content is safe.
    static std::vector<bool> FlushBeforeReplaceTogether(std::span<FileWriter* const> writers);
    bool Close();
    bool IsOpen() const;
    // Which file was created and as what it stands now, while it is open. The file's
    // volume is remembered for FlushBeforeReplaceTogether.
    std::optional<FileStamp> Stamp() const;
    // Closes the file and puts it over `to` as ReplaceAtomically(name it was created under,
    // to, read) does. Natively the owner, the bits and the extended attributes (the access
    // control list among them) are given to the open file, without looking its name up
    // again. Fails, too, when the close reports that a write failed.
    bool CloseAndReplace(const std::string& to, const FileStamp* read = nullptr);

private:
    std::intptr_t handle_ = -1;
    std::string path_;
    mutable std::optional<std::uint64_t> volume_;
};

// Creates or truncates a file and writes the bytes; false when any step failed.
bool WriteWholeFile(const std::string& path, const void* data, std::size_t length);

bool RemoveFile(const std::string& path);
// Frees a name the program makes its own files under (a temporary file beside the file it
// replaces), which a run that was killed may have left taken: true when the name is free,
// or was taken by a leftover, now removed. False, touching nothing, when a file in use by
// another run of the program has it, or something that is no regular file (a link, a
// folder).
bool RemoveLeftover(const std::string& path);
// Fails when the target exists.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Moves `from` over the existing `to` in one atomic step, after giving `from` the
// permission bits / attributes of `to` and, on POSIX, its owner and group and its extended
// attributes (the access control list among them); on Windows `to` keeps its access control
// list, attributes and streams. Fails, leaving
// both files as they were, when `to` is read-only, a symbolic link (the link would become
// a plain file), no longer the file `read` describes (when given), or cannot be replaced;
// a sharing violation is retried for a short while. On POSIX a new owner can only be
// given by root: for root that failing fails the replace, anyone else's file becomes theirs.
bool ReplaceAtomically(const std::string& from, const std::string& to, const FileStamp* read = nullptr);
// Whether ReplaceAtomically could put another file over `path` now: a regular file that is
// not read-only, not a symbolic link, still the file `read` describes (when given), and not
// held open by a program that forbids deleting it. Asked before anything is prepared beside
// the file, so that a failing replace leaves nothing behind.
bool CanReplace(const std::string& path, const FileStamp* read = nullptr);
// Whether a new file could be made under `path` now, as far as can be told without making
// it: its name is not too long for its folder, (natively) the folder can be written, and
// the name is free or a file's, which a run takes for its own leftover (not a folder's or a
// link's).
bool CanCreate(const std::string& path);
// Whether the system lets the file `path` be replaced at all: natively, it is neither
// immutable nor append-only, which even root cannot replace. Asked by a preview alone.
bool MayBeReplaced(const std::string& path);
// Gives `from` the name `to` in one step, in place of whatever file had it; fails, leaving
// both as they were, when `to` is a folder or cannot be replaced (on Windows: read-only).
bool RenameReplacing(const std::string& from, const std::string& to);
// Fails when the target exists.
bool CopyFileNoOverwrite(const std::string& from, const std::string& to);
// A second name for the same content, or a copy where links are not possible; fails when
// the target exists.
bool LinkOrCopyFile(const std::string& from, const std::string& to);

// Makes the folder entries of the files renamed into the folder that holds `path` durable
// (their new names survive a power loss). Where renames are written through (Windows), and
// where the folder cannot be opened, there is nothing to do.
void SyncFolderOf(const std::string& path);

bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
// A file that exists and may not be written: read-only (Windows), or without write
// permission for anyone (POSIX).
bool IsReadOnlyFile(const std::string& path);

// The full path of the running executable; empty when it cannot be had, or not in code
// page 932.
std::string ModulePath();

}  // namespace platform
