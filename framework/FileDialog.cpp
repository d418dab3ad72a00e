#include "framework/FileDialog.h"

#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "framework/WinApp.h"
#include "platform/DoubleByte.h"
#include "platform/win32/WideText.h"

namespace {

std::wstring JoinWidePath(const std::wstring& folder, const std::wstring& name)
{
    return folder.ends_with(L'\\') ? folder + name : folder + L'\\' + name;
}

// The names the dialog writes: a full path, or with several files chosen the folder and
// then each name, every piece ended by a NUL and the whole by a second NUL.
std::vector<std::wstring> ChosenPaths(const wchar_t* buffer)
{
    std::vector<std::wstring> pieces;
    for (const wchar_t* piece = buffer; *piece; piece += std::wcslen(piece) + 1)
        pieces.emplace_back(piece);
    if (pieces.size() <= 1)
        return pieces;
    std::vector<std::wstring> paths;
    for (std::size_t i = 1; i < pieces.size(); ++i)
        paths.push_back(JoinWidePath(pieces.front(), pieces[i]));
    return paths;
}

// The folder the dialog shows, in the system's own characters (its path as text would come
// in the program's code page, through a best fit).
std::wstring FolderOfDialog(HWND dialog)
{
    const LRESULT size = ::SendMessageW(dialog, CDM_GETFOLDERIDLIST, 0, 0);
    if (size <= 0)
        return std::wstring();
    std::vector<BYTE> items(static_cast<std::size_t>(size));
    ::SendMessageW(dialog, CDM_GETFOLDERIDLIST, items.size(), reinterpret_cast<LPARAM>(items.data()));
    wchar_t folder[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(items.data()), folder))
        return std::wstring();
    return folder;
}

// What the user typed or chose in the file name box, however long, read from the box.
std::wstring NameBoxText(HWND dialog)
{
    for (const int id : {cmb13, edt1}) {
        if (HWND box = ::GetDlgItem(dialog, id)) {
            std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(::GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
            return text;
        }
    }
    return std::wstring();
}

bool IsAbsoluteWidePath(const std::wstring& path)
{
    return (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') || path.starts_with(L"\\\\");
}

// The names in the file name box: several in double quotes, or one as it stands; each
// taken in `folder` unless it is a full path already.
std::vector<std::wstring> NamesInNameBox(const std::wstring& folder, const std::wstring& boxText)
{
    std::vector<std::wstring> names;
    if (boxText.find(L'"') == std::wstring::npos) {
        if (!boxText.empty())
            names.push_back(boxText);
    } else {
        for (std::size_t open = boxText.find(L'"'); open != std::wstring::npos; open = boxText.find(L'"', open)) {
            const std::size_t close = boxText.find(L'"', open + 1);
            if (close == std::wstring::npos)
                break;
            if (close > open + 1)
                names.push_back(boxText.substr(open + 1, close - open - 1));
            open = close + 1;
        }
    }
    for (std::wstring& name : names)
        if (!IsAbsoluteWidePath(name))
            name = JoinWidePath(folder, name);
    return names;
}

// What the dialog's hook keeps of one showing of the dialog.
struct ShownDialog {
    OPENFILENAMEW* Request = nullptr;
    std::vector<std::wstring> Kept;
    std::vector<wchar_t> LargerBuffer;
};

// Before the dialog writes several chosen names into the request's buffer, gives it a
// buffer that holds them: some systems' dialogs (Wine's) write them without looking at its
// size. The names are at most as long as the box that holds them, with the folder before.
LRESULT CALLBACK MakeRoomForTheNames(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        auto* shown = reinterpret_cast<ShownDialog*>(data);
        const std::size_t needed = FolderOfDialog(dialog).size() + NameBoxText(dialog).size() + 4;
        if (needed > shown->Request->nMaxFile) {
            shown->LargerBuffer.assign(needed, L'\0');
            shown->Request->lpstrFile = shown->LargerBuffer.data();
            shown->Request->nMaxFile = static_cast<DWORD>(needed);
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(dialog, MakeRoomForTheNames, 0);
    }
    return ::DefSubclassProc(dialog, message, wParam, lParam);
}

// Keeps the chosen names, in the system's characters, as the dialog confirms them,
// whatever room its buffer has.
UINT_PTR CALLBACK KeepChosenNames(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const LPARAM shown = reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData;
        ::SetWindowLongPtrW(child, GWLP_USERDATA, shown);
        ::SetWindowSubclass(::GetParent(child), MakeRoomForTheNames, 0, static_cast<DWORD_PTR>(shown));
    } else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* shown = reinterpret_cast<ShownDialog*>(::GetWindowLongPtrW(child, GWLP_USERDATA));
        HWND dialog = ::GetParent(child);
        shown->Kept = NamesInNameBox(FolderOfDialog(dialog), NameBoxText(dialog));
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
    refused_.clear();
    for (;;) {
        std::vector<wchar_t> buffer(bufferSize_, L'\0');
        ShownDialog shown;
        const std::wstring filter = platform::WideShown(filter_);
        const std::wstring folder = platform::WidePath(initialFolder_);
        const std::wstring title = platform::WideShown(title_);
        const std::wstring extension = platform::WideShown(defaultExtension_);
        OPENFILENAMEW dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
        dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        dialog.Flags = flags_ | OFN_EXPLORER | OFN_ENABLEHOOK;
        dialog.lpfnHook = KeepChosenNames;
        shown.Request = &dialog;
        dialog.lCustData = reinterpret_cast<LPARAM>(&shown);
        if (saving_ ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog)) {
            Keep(ChosenPaths(dialog.lpstrFile));
            return true;
        }
        if (::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            return false;
        if (!shown.Kept.empty()) {
            Keep(shown.Kept);
            return true;
        }
        // The first character tells the size the names need, when it fits in it; the
        // dialog is asked again with that room.
        const std::size_t needed = static_cast<std::size_t>(buffer[0]);
        bufferSize_ = std::max(needed + 1, bufferSize_ * 2);
    }
}

void CFileDialog::Keep(const std::vector<std::wstring>& chosen)
{
    for (const std::wstring& path : chosen) {
        const platform::SystemName name = platform::NameFromSystem(path);
        (name.NamesTheFile() ? files_ : refused_).push_back(name.Text);
    }
}

bool TellRefusedNames(const CFileDialog& dialog, const std::string& message, HWND owner)
{
    if (dialog.GetRefusedNames().empty())
        return false;
    std::string text = message;
    for (const std::string& name : dialog.GetRefusedNames())
        text += name + "\n";
    AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION, std::string(), owner);
    return true;
}
