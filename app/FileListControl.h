#pragma once
// The file list as the rules of adding, removing and selecting see it: the main window's
// list box with the dialog around it, or a plain list on the command line.
#include <cstddef>
#include <string>

class FileListControl {
public:
    virtual ~FileListControl() = default;

    virtual std::size_t Count() const = 0;
    virtual std::string Entry(std::size_t index) const = 0;
    virtual void Append(const std::string& path) = 0;
    virtual void Delete(std::size_t index) = 0;

    virtual bool IsSelected(std::size_t index) const = 0;
    // Selects or deselects the entries from `first` to `last`, both included.
    virtual void SetRangeSelected(std::size_t first, std::size_t last, bool selected) = 0;
    virtual std::size_t TopIndex() const = 0;
    virtual void SetTopIndex(std::size_t index) = 0;
    virtual void SetCaretIndex(std::size_t index) = 0;

    // An entry's width in the list's font, in pixels, and the sideways scrolling range;
    // where nothing is drawn the width is 0.
    virtual int TextWidth(const std::string& path) const = 0;
    virtual void SetHorizontalExtent(int pixels) = 0;

    // The paths refused as duplicates in a batch, each followed by "\n", told to the user
    // once at its end.
    virtual void ShowDuplicates(const std::string& paths) = 0;
    // The names refused in a batch because the program cannot carry them, each followed
    // by "\n", told once at its end.
    virtual void ShowNamesNotCarried(const std::string& names) = 0;
    // After a batch or a removal: the count display and whatever depends on the count.
    virtual void CountChanged(std::size_t count) = 0;
};
