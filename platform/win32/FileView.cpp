#include "platform/FileView.h"

#include <windows.h>

namespace platform {

namespace {

// The whole file as one read-only view; the section is closed at once, since the view
// holds what it needs. The system refuses to cut a file short while a view of it exists,
// so no byte of the view can go missing.
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

ReadStatus FileView::Open(const FileReader& file, std::size_t mapFrom)
{
    if (!BeginOpen(file, mapFrom))
        return ReadWhole(file);
    const std::uint64_t size = file.Size();
    const char* view = MapWholeFile(reinterpret_cast<HANDLE>(file.Handle()));
    // Without the address space for a view the file is read, as far as memory allows.
    if (!view)
        return ReadWhole(file);
    mapped_ = view;
    mappedSize_ = static_cast<std::size_t>(size);
    return ReadStatus::Ok;
}

}  // namespace platform
