#include "platform/FileReader.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/FileReading.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// ReadFile and WriteFile move at most a DWORD at a time.
constexpr DWORD MaxTransfer = 1u << 30;

HANDLE Native(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// An unused name for a scratch file beside `besidePath`.
std::string ScratchName(const std::string& besidePath)
{
    static std::atomic<unsigned> counter{0};
    return besidePath + "." + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
}

}  // namespace

FileReader::~FileReader()
{
    Close();
}

void FileReader::Close()
{
    if (handle_ != -1)
        ::CloseHandle(Native(handle_));
    handle_ = -1;
    size_ = 0;
}

ReadStatus FileReader::Open(const std::string& path)
{
    Close();
    // Deleting is shared too, so that the file can be checked for being replaceable, and
    // replaced, while it is still read.
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReadStatus::OpenFailed;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    readPath_ = path;
    stamp_ = FileStamp();
    if (!StampOfHandle(file, stamp_)) {
        Close();
        return ReadStatus::OpenFailed;
    }
    size_ = stamp_.Size;
    return ReadStatus::Ok;
}

bool FileReader::ReadAt(std::uint64_t offset, char* data, std::size_t size, std::size_t& got) const
{
    got = 0;
    while (got < size) {
        const std::uint64_t at = offset + got;
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD read = 0;
        const DWORD want = size - got < MaxTransfer ? static_cast<DWORD>(size - got) : MaxTransfer;
        if (!::ReadFile(Native(handle_), data + got, want, &read, &where))
            return ::GetLastError() == ERROR_HANDLE_EOF;
        if (read == 0)
            break;
        got += read;
    }
    return true;
}

bool ScratchFile::Create(const std::string& besidePath)
{
    Close();
    // Deleted by the system when its last handle closes, which a killed program's handles
    // do as well.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = ::CreateFileW(WidePath(ScratchName(besidePath)).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                    nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            readPath_ = besidePath;
            stamp_ = FileStamp();
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

bool ScratchFile::Write(const void* data, std::size_t size)
{
    if (handle_ == -1)
        return false;
    auto bytes = static_cast<const char*>(data);
    for (std::size_t left = size; left > 0;) {
        // Always at the end: the handle's own position also moves with the positioned reads.
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(size_);
        where.OffsetHigh = static_cast<DWORD>(size_ >> 32);
        DWORD put = 0;
        if (!::WriteFile(Native(handle_), bytes, left < MaxTransfer ? static_cast<DWORD>(left) : MaxTransfer, &put,
                         &where) ||
            put == 0)
            return false;
        bytes += put;
        left -= put;
        size_ += put;
    }
    return true;
}

}  // namespace platform
