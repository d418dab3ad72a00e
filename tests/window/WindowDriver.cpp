#include "tests/window/WindowDriver.h"

#include <commdlg.h>
// The system's find-and-replace dialog takes the name of the driver's own function.
#undef ReplaceText

#include <cstring>
#include <cwchar>

#include "framework/Controls.h"
#include "framework/MessageLoop.h"
#include "platform/win32/WideText.h"

namespace {

ActivationWatcher* activationWatcher = nullptr;
DestroyWatcher* destroyWatcher = nullptr;
TextWatcher* textWatcher = nullptr;
FileDialogWatcher* fileDialogWatcher = nullptr;

// The file type box of the system's file dialogs.
constexpr int FileTypeBox = 0x470;

// The static controls of a message box that hold its text and its icon.
constexpr int MessageBoxTextId = 0xFFFF;
constexpr int MessageBoxIconId = 0x0440;

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

DestroyWatcher::DestroyWatcher(std::function<void(HWND)> destroyed)
    : destroyed_(std::move(destroyed)), hook_(::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId()))
{
    destroyWatcher = this;
}

DestroyWatcher::~DestroyWatcher()
{
    ::UnhookWindowsHookEx(hook_);
    destroyWatcher = nullptr;
}

LRESULT CALLBACK DestroyWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_DESTROYWND && destroyWatcher)
        destroyWatcher->destroyed_(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TextWatcher::TextWatcher(int controlId, std::function<void(HWND, const std::string&)> arrived)
    : controlId_(controlId), arrived_(std::move(arrived)),
      hook_(::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId()))
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
        // The program's windows are given their texts in UTF-16.
        textWatcher->arrived_(call->hwnd, platform::NarrowShown(reinterpret_cast<const wchar_t*>(call->lParam)));
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
    const auto* request = reinterpret_cast<const OPENFILENAMEW*>(call->lParam);
    if (code == HC_ACTION && fileDialogWatcher && call->message == WM_INITDIALOG && request &&
        request->lStructSize == sizeof(OPENFILENAMEW) && (request->Flags & OFN_EXPLORER) && request->lpstrFilter) {
        std::wstring filter;
        for (const wchar_t* piece = request->lpstrFilter; *piece; piece += std::wcslen(piece) + 1)
            filter.append(piece).push_back(L'\0');
        filter.push_back(L'\0');
        fileDialogWatcher->Requests.push_back({platform::NarrowShown(filter),
                                               platform::NarrowShown(request->lpstrDefExt ? request->lpstrDefExt : L""),
                                               {}});
    } else if (code == HC_ACTION && fileDialogWatcher && !fileDialogWatcher->Requests.empty() &&
               call->message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(call->lParam)->code == CDN_FILEOK) {
        fileDialogWatcher->Requests.back().FileTypes = ComboEntries(::GetParent(call->hwnd), FileTypeBox);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

MessageBoxText ReadMessageBox(HWND box)
{
    const auto shown = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, MessageBoxIconId, STM_GETICON, 0, 0));
    LPCSTR icon = nullptr;
    for (const LPCSTR system : {IDI_INFORMATION, IDI_QUESTION, IDI_EXCLAMATION, IDI_HAND})
        if (shown && shown == ::LoadIconA(nullptr, system))
            icon = system;
    return {WindowText(box), WindowText(::GetDlgItem(box, MessageBoxTextId)), icon};
}

bool IsMessageBox(HWND window)
{
    return ::GetDlgItem(window, MessageBoxTextId) != nullptr;
}

bool HasCaption(HWND window, const std::string& caption)
{
    return WindowText(window) == caption;
}

bool ClickWithMouse(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    return ClickWithMouseAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool ClickWithMouseAt(POINT screen)
{
    if (!::SetCursorPos(screen.x, screen.y))
        return false;
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return ::SendInput(2, clicks, sizeof(INPUT)) == 2;
}

bool DoubleClickWithMouseAt(POINT screen)
{
    if (!::SetCursorPos(screen.x, screen.y))
        return false;
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    return ::SendInput(4, clicks, sizeof(INPUT)) == 4;
}

bool PressKey(WORD key)
{
    INPUT strokes[2] = {};
    strokes[0].type = strokes[1].type = INPUT_KEYBOARD;
    strokes[0].ki.wVk = strokes[1].ki.wVk = key;
    strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return ::SendInput(2, strokes, sizeof(INPUT)) == 2;
}

bool PressKeys(const std::vector<KeyStroke>& strokes)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (const KeyStroke& stroke : strokes) {
        if (stroke.Modifier)
            add(stroke.Modifier, false);
        add(stroke.Key, false);
        add(stroke.Key, true);
        if (stroke.Modifier)
            add(stroke.Modifier, true);
    }
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool PressWithAlt(WORD key)
{
    return PressKeys({{key, VK_MENU}});
}

POINT CloseBoxOf(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    const int frame = ::GetSystemMetrics(SM_CXFIXEDFRAME);
    const int button = ::GetSystemMetrics(SM_CXSIZE);
    return {rect.right - frame - button / 2, rect.top + ::GetSystemMetrics(SM_CYFIXEDFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2};
}

namespace {

std::function<void()> settledAction;

void CALLBACK RunSettledAction(HWND window, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(window, id);
    std::function<void()> action = std::move(settledAction);
    settledAction = nullptr;
    if (action)
        action();
}

}  // namespace

void OnceSettled(HWND window, std::function<void()> action)
{
    settledAction = std::move(action);
    ::SetTimer(window, reinterpret_cast<UINT_PTR>(&settledAction), 0, RunSettledAction);
}

void PutTextOnClipboard(const std::string& text)
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

void RunQueuedMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchWithPreTranslation(message);
}

bool RunMessagesUntilADialogEnds(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_NULL && message.hwnd) {
                ::PostMessageA(message.hwnd, WM_NULL, 0, 0);
                return true;
            }
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return false;
            }
            DispatchWithPreTranslation(message);
        }
        const DWORD passed = ::GetTickCount() - start;
        if (passed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - passed, QS_ALLINPUT);
    }
}

DWORD AwaitProgramEnd(PROCESS_INFORMATION& process, const std::function<void()>& whileRunning)
{
    DWORD status = static_cast<DWORD>(-1);
    for (int slice = 0; slice < 1200; ++slice) {
        if (::WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(process.hProcess, &status);
            break;
        }
        if (whileRunning)
            whileRunning();
    }
    if (status == static_cast<DWORD>(-1))
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return status;
}
