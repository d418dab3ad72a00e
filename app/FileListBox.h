#pragma once
// The file list as the main window shows it: list box 1003, with the count beside it in
// 1057, the duplicates told in a message box, and the main window told when the count
// changes.
#include <functional>

#include "app/FileListControl.h"
#include "framework/Controls.h"

class FileListBox : public FileListControl {
public:
    // `countChanged` runs after the count display shows a new count.
    explicit FileListBox(std::function<void()> countChanged) : countChanged_(std::move(countChanged)) {}

    // The dialog that holds the list box and the count display, once it exists.
    void Attach(const CWnd& dialog);
    // The entries in list order.
    std::vector<std::string> Entries() const;
    // Nobody is there to close a message box (automatic mode): duplicates are only dropped.
    void SetUnattended(bool unattended) { unattended_ = unattended; }

    std::size_t Count() const override;
    std::string Entry(std::size_t index) const override;
    void Append(const std::string& path) override;
    void Delete(std::size_t index) override;
    bool IsSelected(std::size_t index) const override;
    void SetRangeSelected(std::size_t first, std::size_t last, bool selected) override;
    std::size_t TopIndex() const override;
    void SetTopIndex(std::size_t index) override;
    void SetCaretIndex(std::size_t index) override;
    int TextWidth(const std::string& path) const override;
    void SetHorizontalExtent(int pixels) override;
    void ShowDuplicates(const std::string& paths) override;
    void ShowNamesNotCarried(const std::string& names) override;
    void CountChanged(std::size_t count) override;

private:
    HWND dialog_ = nullptr;
    bool unattended_ = false;
    CListBox list_;
    std::function<void()> countChanged_;
};
