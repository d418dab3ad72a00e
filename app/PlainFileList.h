#pragma once
// The file list of the command line: entries and their selection in memory, nothing
// drawn. The duplicates of the last batch are kept for whoever asks.
#include <vector>

#include "app/FileListControl.h"

class PlainFileList : public FileListControl {
public:
    const std::vector<std::string>& Entries() const { return entries_; }
    const std::string& LastDuplicates() const { return duplicates_; }

    std::size_t Count() const override { return entries_.size(); }
    std::string Entry(std::size_t index) const override { return entries_[index]; }
    void Append(const std::string& path) override;
    void Delete(std::size_t index) override;
    bool IsSelected(std::size_t index) const override { return selected_[index]; }
    void SetRangeSelected(std::size_t first, std::size_t last, bool selected) override;
    std::size_t TopIndex() const override { return top_; }
    void SetTopIndex(std::size_t index) override { top_ = index; }
    void SetCaretIndex(std::size_t) override {}
    int TextWidth(const std::string&) const override { return 0; }
    void SetHorizontalExtent(int) override {}
    void ShowDuplicates(const std::string& paths) override { duplicates_ = paths; }
    // The command line tells of them as names passed over.
    void ShowNamesNotCarried(const std::string&) override {}
    void CountChanged(std::size_t) override {}

private:
    std::vector<std::string> entries_;
    std::vector<bool> selected_;
    std::size_t top_ = 0;
    std::string duplicates_;
};
