#include "platform/FileView.h"

#include <windows.h>

#include "platform/win32/FileReading.h"

namespace platform {

namespace {

// The whole file as one read-only view; the section and the file's handle are closed at
// once, since the view holds what it needs. The system refuses to cut a file short while a
// view of it exists, so no byte of the view can go missing.
const char* MapWholeFile(HANDLE file)
{
    HANDLE section = ::CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!section)
        return nullptr;
    const void* view = ::MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0);
    ::CloseHandle(section);
    return static_cast<const char*>(view);
}

}  // namespace

void FileView::Unmap(const char* mapped, std::size_t)
{
    ::UnmapViewOfFile(mapped);
}

ReadStatus FileView::Open(const std::string& path, std::size_t mapFrom)
{
    Close();
    HANDLE file = OpenFileForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return ReadStatus::OpenFailed;
    content_.SetReadPath(path);
    std::uint64_t size = 0;
    FileStamp stamp;
    ReadStatus status = ReadStatus::OpenFailed;
    if (!SizeOfHandle(file, size))
        status = ReadStatus::OpenFailed;
    else if (size == 0 || size < mapFrom || size >= SIZE_MAX)
        status = ReadOpenedFile(file, size, content_);
    else if (const char* view = MapWholeFile(file)) {
        if (StampOfHandle(file, stamp))
            content_.SetStamp(stamp);
        mapped_ = view;
        mappedSize_ = static_cast<std::size_t>(size);
        status = ReadStatus::Ok;
    } else {
        // Without the address space for a view the file is read, as far as memory allows.
        status = ReadOpenedFile(file, size, content_);
    }
    ::CloseHandle(file);
    return status;
}

}  // namespace platform
