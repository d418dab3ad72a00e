#pragma once
// The system's dialogs for choosing files to open, or a name to save under.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

class CFileDialog {
public:
    // `filter` is pairs of a label and its patterns, each ended by '|', the whole ended by
    // another '|': "Text (*.txt)|*.txt|All (*.*)|*.*||". `flags` are the OFN_ flags.
    CFileDialog(std::string filter, std::string title, std::string initialFolder, DWORD flags,
                std::size_t bufferSize);

    // Asks for a name to save under instead of files to open.
    void SetForSaving() { saving_ = true; }

    // Shows the dialog; true when the user confirmed a choice. A choice larger than the
    // buffer is never cut: the names are kept as the user confirms them, and where they
    // cannot be, the buffer grows to what they need and the dialog is shown again.
    bool DoModal(HWND owner);
    // The chosen files as full paths, in the dialog's order.
    const std::vector<std::string>& GetFileNames() const { return files_; }
    // The chosen files whose names the program cannot carry (see platform::SystemName),
    // in a form to read: they are not among the file names, so that no look-alike of theirs
    // is ever taken for them.
    const std::vector<std::string>& GetRefusedNames() const { return refused_; }
    // Appended to a name typed without an extension; given as "*.ext" or "ext" ("*.*": none).
    void SetDefaultExtension(const std::string& extension);

private:
    // The chosen names, in the system's own characters: each one the program can carry
    // among the file names, the others among the refused ones.
    void Keep(const std::vector<std::wstring>& chosen);

    std::string filter_;
    std::string title_;
    std::string initialFolder_;
    std::string defaultExtension_;
    bool saving_ = false;
    DWORD flags_;
    std::size_t bufferSize_;
    std::vector<std::string> files_;
    std::vector<std::string> refused_;
};

// Shows `message` followed by the chosen names the program cannot carry, one a line, when
// there are any; true when there were.
bool TellRefusedNames(const CFileDialog& dialog, const std::string& message, HWND owner);

// The filter as the system reads it: every '|' that starts a character becomes a NUL, and
// the list ends with two NULs whether or not the text ended with "||", so the system never
// reads past it.
std::string SystemFilter(const std::string& filter);
