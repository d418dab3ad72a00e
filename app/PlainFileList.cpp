#include "app/PlainFileList.h"

void PlainFileList::Append(const std::string& path)
{
    entries_.push_back(path);
    selected_.push_back(false);
}

void PlainFileList::Delete(std::size_t index)
{
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(index));
}

void PlainFileList::SetRangeSelected(std::size_t first, std::size_t last, bool selected)
{
    for (std::size_t i = first; i <= last && i < selected_.size(); ++i)
        selected_[i] = selected;
}
