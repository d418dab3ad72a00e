#include "platform/win32/FileReading.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// ReadFile moves at most a DWORD at a time.
constexpr DWORD MaxTransfer = 1u << 30;

}  // namespace

HANDLE OpenFileForReading(const std::string& path)
{
    return ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

bool StampOfHandle(HANDLE file, FileStamp& stamp)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(file, &information))
        return false;
    stamp.Volume = information.dwVolumeSerialNumber;
    stamp.Index = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    stamp.Size = (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    stamp.Modified = (std::uint64_t{information.ftLastWriteTime.dwHighDateTime} << 32) |
                     information.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool SizeOfHandle(HANDLE file, std::uint64_t& size)
{
    LARGE_INTEGER value;
    if (!::GetFileSizeEx(file, &value) || value.QuadPart < 0)
        return false;
    size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

ReadStatus ReadOpenedFile(HANDLE file, std::uint64_t size, FileContent& content)
{
    if (size >= SIZE_MAX || !content.Allocate(static_cast<std::size_t>(size)))
        return ReadStatus::NoMemory;
    FileStamp stamp;
    if (StampOfHandle(file, stamp))
        content.SetStamp(stamp);
    char* data = content.Data();
    std::size_t left = content.Size();
    while (left > 0) {
        DWORD got = 0;
        if (!::ReadFile(file, data, left < MaxTransfer ? static_cast<DWORD>(left) : MaxTransfer, &got, nullptr) ||
            got == 0)
            return ReadStatus::ReadFailed;
        data += got;
        left -= got;
    }
    return ReadStatus::Ok;
}

}  // namespace platform
