#include "framework/FileDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "platform/DoubleByte.h"
#include "platform/Folders.h"
#include "platform/PathRules.h"

namespace {

// The names the dialog writes: a full path, or with several files chosen the folder and
// then each name, every piece ended by a NUL and the whole by a second NUL.
std::vector<std::string> ChosenPaths(const std::vector<char>& buffer)
{
    std::vector<std::string> pieces;
    for (const char* piece = buffer.data(); *piece; piece += std::strlen(piece) + 1)
        pieces.emplace_back(piece);
    if (pieces.size() <= 1)
        return pieces;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < pieces.size(); ++i)
        paths.push_back(platform::JoinPath(pieces.front(), pieces[i]));
    return paths;
}

// A text the open dialog gives on request: its size first, then the text.
std::string DialogText(HWND dialog, UINT message)
{
    const LRESULT size = ::SendMessageA(dialog, message, 0, 0);
    if (size <= 1)
        return std::string();
    std::string text(static_cast<std::size_t>(size), '\0');
    ::SendMessageA(dialog, message, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The names in the file name box: several in double quotes, or one as it stands; each
// taken in `folder` unless it is a full path already.
std::vector<std::string> NamesInNameBox(const std::string& folder, const std::string& boxText)
{
    std::vector<std::string> names;
    if (boxText.find('"') == std::string::npos) {
        if (!boxText.empty())
            names.push_back(boxText);
    } else {
        for (std::size_t open = boxText.find('"'); open != std::string::npos; open = boxText.find('"', open)) {
            const std::size_t close = boxText.find('"', open + 1);
            if (close == std::string::npos)
                break;
            if (close > open + 1)
                names.push_back(boxText.substr(open + 1, close - open - 1));
            open = close + 1;
        }
    }
    for (std::string& name : names)
        if (!platform::IsAbsolutePath(name))
            name = platform::JoinPath(folder, name);
    return names;
}

// Keeps the chosen names as the dialog confirms them, whatever room its buffer has.
UINT_PTR CALLBACK KeepChosenNames(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
    } else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* kept = reinterpret_cast<std::vector<std::string>*>(::GetWindowLongPtrA(child, GWLP_USERDATA));
        HWND dialog = ::GetParent(child);
        *kept = NamesInNameBox(DialogText(dialog, CDM_GETFOLDERPATH), DialogText(dialog, CDM_GETSPEC));
    }
    return 0;
}

}  // namespace

CFileDialog::CFileDialog(std::string filter, std::string title, std::string initialFolder, DWORD flags,
                         std::size_t bufferSize)
    : filter_(std::move(filter)), title_(std::move(title)), initialFolder_(std::move(initialFolder)), flags_(flags),
      bufferSize_(bufferSize)
{
    filter_ = SystemFilter(filter_);
}

void CFileDialog::SetDefaultExtension(const std::string& extension)
{
    // The system wants the extension alone: given "*.exe" it would append ".*.e"; "*.*"
    // stands for any file and gives no extension to append.
    defaultExtension_ = extension.starts_with("*.") ? extension.substr(2) : extension;
    if (defaultExtension_.find('*') != std::string::npos)
        defaultExtension_.clear();
}

std::string SystemFilter(const std::string& filter)
{
    // A 0x7C that is the second byte of a character (as in "ポ") is no separator.
    std::string pieces = ReplaceAtCharacterStarts(filter, "|", std::string(1, '\0'));
    while (!pieces.ends_with(std::string_view("\0\0", 2)))
        pieces.push_back('\0');
    return pieces;
}

bool CFileDialog::DoModal(HWND owner)
{
    files_.clear();
    for (;;) {
        std::vector<char> buffer(bufferSize_, '\0');
        std::vector<std::string> kept;
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter_.data();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
        dialog.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
        dialog.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
        dialog.Flags = flags_ | OFN_EXPLORER | OFN_ENABLEHOOK;
        dialog.lpfnHook = KeepChosenNames;
        dialog.lCustData = reinterpret_cast<LPARAM>(&kept);
        if (saving_ ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog)) {
            // Some implementations cut a choice that does not fit instead of failing.
            files_ = ChosenPaths(buffer);
            if (kept.size() > files_.size())
                files_ = kept;
            return true;
        }
        if (::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            return false;
        if (!kept.empty()) {
            files_ = kept;
            return true;
        }
        // The first two bytes tell the size the names need, when it fits in them; the
        // dialog is asked again with that room.
        const std::size_t needed = static_cast<unsigned char>(buffer[0]) | static_cast<unsigned char>(buffer[1]) << 8;
        bufferSize_ = std::max(needed + 1, bufferSize_ * 2);
    }
}
