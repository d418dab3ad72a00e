#pragma once
// How the POSIX file services open, read and write files, shared by the whole-file read,
// the file view, the file reader and the writers.
#include <sys/stat.h>

#include <cstddef>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// The largest transfer Linux makes in one call.
inline constexpr std::size_t MaxTransfer = 0x7ffff000;

// Writes every byte, going on after interruptions; false when the system refuses a write.
bool WriteAll(int fd, const char* data, std::size_t length);

// Copies everything `from` gives to `to`; false when a read or a write fails.
bool CopyAll(int from, int to);

// The end of the chain of links that `path` names, or an empty string for a dangling one.
std::string ResolvedLink(const std::string& path);

FileStamp StampOf(const struct stat& info);

// The folder a path names a file in: "." for a bare name.
std::string FolderOf(const std::string& path);

// Opens a regular file for reading: a symbolic link is followed to where it leads, a pipe
// or a device is refused without waiting for data. Returns the descriptor, with the name
// the file was opened under and its status; -1 when it cannot be opened or is no regular
// file (the name is then set as far as it was found).
int OpenRegularFile(const std::string& path, std::string& readPath, struct stat& info);

// Reads the whole of the file opened as `fd`, whose status is `info`, into `content`,
// with its stamp.
ReadStatus ReadOpenedFile(int fd, const struct stat& info, FileContent& content);

}  // namespace platform
