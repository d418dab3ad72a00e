#include "tests/window/WindowDriver.h"

#include <commdlg.h>
// The system's find-and-replace dialog takes the name of the driver's own function.
#undef ReplaceText

#include <cstring>

#include "framework/Controls.h"

namespace {

ActivationWatcher* activationWatcher = nullptr;
TextWatcher* textWatcher = nullptr;
FileDialogWatcher* fileDialogWatcher = nullptr;

// The file type box of the system's file dialogs.
constexpr int FileTypeBox = 0x470;

// The static control of a message box that holds its text.
constexpr int MessageBoxTextId = 0xFFFF;

}  // namespace

void Click(HWND dialog, int id)
{
    // A disabled button takes no click from the user.
    if (IsEnabled(dialog, id))
        CButton(::GetDlgItem(dialog, id)).Click();
}

void ReplaceText(HWND dialog, int comboId, const std::string& text)
{
    HWND edit = ::FindWindowExA(::GetDlgItem(dialog, comboId), nullptr, "Edit", nullptr);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void ChooseEntry(HWND dialog, int comboId, int index)
{
    HWND combo = ::GetDlgItem(dialog, comboId);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool IsEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id));
}

bool IsChecked(HWND dialog, int id)
{
    return CButton(::GetDlgItem(dialog, id)).GetCheck() == BST_CHECKED;
}

std::string TextOf(HWND window)
{
    return WindowText(window);
}

std::vector<std::string> ComboEntries(HWND dialog, int comboId)
{
    const CComboBox combo(::GetDlgItem(dialog, comboId));
    std::vector<std::string> entries;
    for (int i = 0; i < combo.GetCount(); ++i)
        entries.push_back(combo.GetLBText(i));
    return entries;
}

void AddListEntries(HWND dialog, int listId, const std::vector<std::string>& entries)
{
    const CListBox list(::GetDlgItem(dialog, listId));
    for (const std::string& entry : entries)
        list.AddString(entry);
}

ActivationWatcher::ActivationWatcher(std::function<void(HWND)> activated)
    : activated_(std::move(activated)),
      hook_(::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId()))
{
    activationWatcher = this;
}

ActivationWatcher::~ActivationWatcher()
{
    ::UnhookWindowsHookEx(hook_);
    activationWatcher = nullptr;
}

LRESULT CALLBACK ActivationWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && activationWatcher && wParam)
        activationWatcher->activated_(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TextWatcher::TextWatcher(int controlId, std::function<void(HWND, const std::string&)> arrived)
    : controlId_(controlId), arrived_(std::move(arrived)),
      hook_(::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()))
{
    textWatcher = this;
}

TextWatcher::~TextWatcher()
{
    ::UnhookWindowsHookEx(hook_);
    textWatcher = nullptr;
}

LRESULT CALLBACK TextWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && textWatcher && call->message == WM_SETTEXT &&
        ::GetDlgCtrlID(call->hwnd) == textWatcher->controlId_)
        textWatcher->arrived_(call->hwnd, reinterpret_cast<const char*>(call->lParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

FileDialogWatcher::FileDialogWatcher() : hook_(::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()))
{
    fileDialogWatcher = this;
}

FileDialogWatcher::~FileDialogWatcher()
{
    ::UnhookWindowsHookEx(hook_);
    fileDialogWatcher = nullptr;
}

LRESULT CALLBACK FileDialogWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    // The hook's own dialog starts with the caller's request.
    const auto* request = reinterpret_cast<const OPENFILENAMEA*>(call->lParam);
    if (code == HC_ACTION && fileDialogWatcher && call->message == WM_INITDIALOG && request &&
        request->lStructSize == sizeof(OPENFILENAMEA) && (request->Flags & OFN_EXPLORER) && request->lpstrFilter) {
        std::string filter;
        for (const char* piece = request->lpstrFilter; *piece; piece += std::strlen(piece) + 1)
            filter.append(piece).push_back('\0');
        filter.push_back('\0');
        fileDialogWatcher->Requests.push_back({filter, request->lpstrDefExt ? request->lpstrDefExt : "", {}});
    } else if (code == HC_ACTION && fileDialogWatcher && !fileDialogWatcher->Requests.empty() &&
               call->message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(call->lParam)->code == CDN_FILEOK) {
        fileDialogWatcher->Requests.back().FileTypes = ComboEntries(::GetParent(call->hwnd), FileTypeBox);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

MessageBoxText ReadMessageBox(HWND box)
{
    return {WindowText(box), WindowText(::GetDlgItem(box, MessageBoxTextId))};
}

bool IsMessageBox(HWND window)
{
    return ::GetDlgItem(window, MessageBoxTextId) != nullptr;
}

bool HasCaption(HWND window, const std::string& caption)
{
    return WindowText(window) == caption;
}
