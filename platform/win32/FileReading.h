#pragma once
// How the Win32 file services open a file for reading, shared by the whole-file read and
// the file view.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// Opened for reading, sharing reading and writing with other programs; links are refused
// when a file is replaced, never followed, so the name is the file.
HANDLE OpenFileForReading(const std::string& path);

bool StampOfHandle(HANDLE file, FileStamp& stamp);

// The size of an open file; false when it cannot be told.
bool SizeOfHandle(HANDLE file, std::uint64_t& size);

// Reads the whole of the open file of `size` bytes into `content`, with its stamp.
ReadStatus ReadOpenedFile(HANDLE file, std::uint64_t size, FileContent& content);

}  // namespace platform
