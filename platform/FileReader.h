#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// A regular file open for reading at any offset, as ReadWholeFile opens it, for texts read
// a block at a time instead of whole. Reads never move a shared position, so a part that
// was read once can be read again in between.
class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens `path`: a symbolic link is followed and the name of the file behind it kept, a
    // pipe or a device is refused. Other programs may go on reading, writing, renaming or
    // deleting the file meanwhile; the stamp tells whether they did.
    ReadStatus Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ != -1; }

    // Up to `size` bytes at `offset` into `data`; `got` is less than `size` only at the end
    // of the file. False when the system fails the read.
    bool ReadAt(std::uint64_t offset, char* data, std::size_t size, std::size_t& got) const;

    // The size as the file was opened, or as written for a scratch file.
    std::uint64_t Size() const { return size_; }
    const FileStamp& Stamp() const { return stamp_; }
    const std::string& ReadPath() const { return readPath_; }
    // The system's handle (a descriptor natively), for mapping the file.
    std::intptr_t Handle() const { return handle_; }

protected:
    std::intptr_t handle_ = -1;
    std::uint64_t size_ = 0;
    FileStamp stamp_;
    std::string readPath_;
};

// A file without a name for a text between two steps of a rewrite: made in the folder of
// another file (where the text's final file goes, so on the same disk), written from its
// start, then read like any file. It vanishes when it is closed, and when the program is
// killed, so a stopped run leaves nothing of it.
class ScratchFile : public FileReader {
public:
    bool Create(const std::string& besidePath);
    // Appends; false when not every byte could be written.
    bool Write(const void* data, std::size_t size);
};

}  // namespace platform
