#include "platform/FileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/posix/FileReading.h"

namespace platform {

namespace {

int Descriptor(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

// A file with a name that goes at once, where the file system cannot make one without.
int CreateNamedThenUnlinked(const std::string& besidePath)
{
    std::vector<char> name(besidePath.begin(), besidePath.end());
    const char suffix[] = ".XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        ::unlink(name.data());
    return fd;
}

}  // namespace

FileReader::~FileReader()
{
    Close();
}

void FileReader::Close()
{
    if (handle_ != -1)
        ::close(Descriptor(handle_));
    handle_ = -1;
    size_ = 0;
}

ReadStatus FileReader::Open(const std::string& path)
{
    Close();
    struct stat info;
    const int fd = OpenRegularFile(path, readPath_, info);
    if (fd < 0)
        return ReadStatus::OpenFailed;
    handle_ = fd;
    stamp_ = StampOf(info);
    size_ = stamp_.Size;
    return ReadStatus::Ok;
}

bool FileReader::ReadAt(std::uint64_t offset, char* data, std::size_t size, std::size_t& got) const
{
    got = 0;
    while (got < size) {
        const std::size_t want = size - got < MaxTransfer ? size - got : MaxTransfer;
        const ssize_t read = ::pread(Descriptor(handle_), data + got, want, static_cast<off_t>(offset + got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return false;
        if (read == 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    return true;
}

bool ScratchFile::Create(const std::string& besidePath)
{
    Close();
    int fd;
    do
        fd = ::open(FolderOf(besidePath).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        fd = CreateNamedThenUnlinked(besidePath);
    if (fd < 0)
        return false;
    handle_ = fd;
    readPath_ = besidePath;
    stamp_ = FileStamp();
    return true;
}

bool ScratchFile::Write(const void* data, std::size_t size)
{
    if (handle_ == -1 || !WriteAll(Descriptor(handle_), static_cast<const char*>(data), size))
        return false;
    size_ += size;
    return true;
}

}  // namespace platform
