#include "platform/FileView.h"

namespace platform {

FileView::~FileView()
{
    Close();
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
