#include "platform/FileSystem.h"

#include <new>

namespace platform {

bool FileContent::Allocate(std::size_t size)
{
    bytes_.reset();
    size_ = 0;
    if (size == static_cast<std::size_t>(-1))
        return false;
    // Not value-initialised: the whole buffer is overwritten by the read.
    bytes_.reset(new (std::nothrow) char[size + 1]);
    if (!bytes_)
        return false;
    bytes_[size] = '\0';
    size_ = size;
    return true;
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t length)
{
    FileWriter writer;
    if (!writer.Create(path))
        return false;
    const bool written = writer.Write(data, length);
    return writer.Close() && written;
}

}  // namespace platform
