#include "app/FileListBox.h"

#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "resources/ResourceIds.h"

void FileListBox::Attach(const CWnd& dialog)
{
    dialog_ = dialog.m_hWnd;
    list_.Attach(dialog.GetDlgItem(IDC_FILE_LIST));
}

std::vector<std::string> FileListBox::Entries() const
{
    std::vector<std::string> entries;
    const std::size_t count = Count();
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back(Entry(i));
    return entries;
}

std::size_t FileListBox::Count() const
{
    const int count = list_.GetCount();
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::string FileListBox::Entry(std::size_t index) const
{
    return list_.GetText(static_cast<int>(index));
}

void FileListBox::Append(const std::string& path)
{
    list_.AddString(path);
}

void FileListBox::Delete(std::size_t index)
{
    list_.DeleteString(static_cast<int>(index));
}

bool FileListBox::IsSelected(std::size_t index) const
{
    return list_.GetSel(static_cast<int>(index));
}

void FileListBox::SetRangeSelected(std::size_t first, std::size_t last, bool selected)
{
    // The range message selects when its first index is the lower one and deselects when
    // it is the higher one, so a single entry goes through the message for one entry.
    if (first == last)
        list_.SetSel(static_cast<int>(first), selected);
    else if (selected)
        list_.SendMessage(LB_SELITEMRANGEEX, first, static_cast<LPARAM>(last));
    else
        list_.SendMessage(LB_SELITEMRANGEEX, last, static_cast<LPARAM>(first));
}

std::size_t FileListBox::TopIndex() const
{
    const int top = list_.GetTopIndex();
    return top > 0 ? static_cast<std::size_t>(top) : 0;
}

void FileListBox::SetTopIndex(std::size_t index)
{
    list_.SetTopIndex(static_cast<int>(index));
}

void FileListBox::SetCaretIndex(std::size_t index)
{
    list_.SetCaretIndex(static_cast<int>(index));
}

int FileListBox::TextWidth(const std::string& path) const
{
    return TextWidthIn(list_.m_hWnd, path);
}

void FileListBox::SetHorizontalExtent(int pixels)
{
    list_.SetHorizontalExtent(pixels);
}

void FileListBox::ShowDuplicates(const std::string& paths)
{
    // Nothing went wrong: the list already holds them.
    if (!unattended_)
        AppMessageBox(LoadResourceString(IDS_DUPLICATES) + paths, MB_OK | MB_ICONINFORMATION,
                      LoadResourceString(IDS_PROGRAM_NAME), dialog_);
}

void FileListBox::ShowNamesNotCarried(const std::string& names)
{
    if (!unattended_)
        AppMessageBox(LoadResourceString(IDS_NAMES_NOT_CARRIED) + names, MB_OK | MB_ICONEXCLAMATION,
                      LoadResourceString(IDS_PROGRAM_NAME), dialog_);
}

void FileListBox::CountChanged(std::size_t count)
{
    SetWindowTextOf(::GetDlgItem(dialog_, IDC_FILE_COUNT), std::to_string(count));
    countChanged_();
}
