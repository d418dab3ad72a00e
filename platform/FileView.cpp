#include "platform/FileView.h"

#include <cstdint>

namespace platform {

FileView::~FileView()
{
    Close();
}

ReadStatus FileView::Open(const std::string& path, std::size_t mapFrom)
{
    Close();
    FileReader file;
    const ReadStatus opened = file.Open(path);
    return opened == ReadStatus::Ok ? Open(file, mapFrom) : opened;
}

bool FileView::BeginOpen(const FileReader& file, std::size_t mapFrom)
{
    Close();
    content_.SetReadPath(file.ReadPath());
    content_.SetStamp(file.Stamp());
    const std::uint64_t size = file.Size();
    return size != 0 && size >= mapFrom && size < SIZE_MAX;
}

ReadStatus FileView::ReadWhole(const FileReader& file)
{
    if (file.Size() >= SIZE_MAX || !content_.Allocate(static_cast<std::size_t>(file.Size())))
        return ReadStatus::NoMemory;
    std::size_t got = 0;
    return file.ReadAt(0, content_.Data(), content_.Size(), got) && got == content_.Size() ? ReadStatus::Ok
                                                                                           : ReadStatus::ReadFailed;
}

void FileView::Close()
{
    if (mapped_)
        Unmap(mapped_, mappedSize_);
    mapped_ = nullptr;
    mappedSize_ = 0;
    lost_ = false;
    content_ = FileContent();
}

}  // namespace platform
