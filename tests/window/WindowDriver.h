#pragma once
// What a user's actions send to a dialog, and watchers that drive the modal loops the
// program runs from inside: they see a window being activated, or a text arriving at a
// control, on the test's own thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A click on a button, a check box toggling itself; nothing when the button is disabled.
void Click(HWND dialog, int id);
// The text of the edit part of a combo box replaced as a user does it: all of it selected,
// then the new text pasted (which notifies the dialog when the text changes).
void ReplaceText(HWND dialog, int comboId, const std::string& text);
// An entry of a combo box's list chosen, as the list notifies its dialog.
void ChooseEntry(HWND dialog, int comboId, int index);
bool IsEnabled(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
std::string TextOf(HWND window);
std::vector<std::string> ComboEntries(HWND dialog, int comboId);
void AddListEntries(HWND dialog, int listId, const std::vector<std::string>& entries);

// Calls `activated` for each window activated on this thread while the watcher lives
// (dialogs and message boxes as they come up, a dialog already while it starts); it may
// end them.
class ActivationWatcher {
public:
    explicit ActivationWatcher(std::function<void(HWND)> activated);
    ~ActivationWatcher();
    ActivationWatcher(const ActivationWatcher&) = delete;
    ActivationWatcher& operator=(const ActivationWatcher&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(HWND)> activated_;
    HHOOK hook_;
};

// Calls `destroyed` for each window of this thread that is destroyed while the watcher lives.
class DestroyWatcher {
public:
    explicit DestroyWatcher(std::function<void(HWND)> destroyed);
    ~DestroyWatcher();
    DestroyWatcher(const DestroyWatcher&) = delete;
    DestroyWatcher& operator=(const DestroyWatcher&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(HWND)> destroyed_;
    HHOOK hook_;
};

// Calls `arrived` with each text a control with `controlId` is given on this thread while
// the watcher lives, from this thread or sent from another.
class TextWatcher {
public:
    TextWatcher(int controlId, std::function<void(HWND control, const std::string& text)> arrived);
    ~TextWatcher();
    TextWatcher(const TextWatcher&) = delete;
    TextWatcher& operator=(const TextWatcher&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    int controlId_;
    std::function<void(HWND, const std::string&)> arrived_;
    HHOOK hook_;
};

// Real input through the system's input queue, as the user's hand gives it: a click of the
// left mouse button at the centre of `window`, a press and release of `key` for the window
// with the focus. Handled once this thread runs its messages; false when the system took
// none of it.
bool ClickWithMouse(HWND window);
bool PressKey(WORD key);
// Keys pressed and released one after another, each with its modifier key (VK_CONTROL,
// VK_MENU, VK_SHIFT, or 0) held around it, for whatever window has the focus by then.
struct KeyStroke {
    WORD Key;
    WORD Modifier = 0;
};
bool PressKeys(const std::vector<KeyStroke>& strokes);
// `key` pressed while Alt is held, as a mnemonic is typed.
bool PressWithAlt(WORD key);
// Where the close box of a window with a caption lies, in screen coordinates.
POINT CloseBoxOf(HWND window);
bool ClickWithMouseAt(POINT screen);
// Two clicks of the left button at `screen`, close enough in time to be a double click.
bool DoubleClickWithMouseAt(POINT screen);

// Runs `action` once `window`'s thread has handled what is queued for it now (a timer of
// the window): real input sent then reaches the window that has the focus by then, not
// the one that had it while `window` was still coming up.
void OnceSettled(HWND window, std::function<void()> action);
// Dispatches, with the program's pre-translation, every message queued for this thread,
// the input given so far included.
void RunQueuedMessages();

// The clipboard holds `text` (code page 932 bytes) for the next paste.
void PutTextOnClipboard(const std::string& text);

// Runs this thread's messages, inside whatever this thread is doing, until a dialog of the
// framework has ended (it posts itself a WM_NULL, which is left for its loop), or false
// after `timeoutMs`.
bool RunMessagesUntilADialogEnds(DWORD timeoutMs);

// What the system's file dialogs opened on this thread while the watcher lives were asked
// for: the filter read through its closing empty piece (NULs kept) and the default
// extension, seen where the request reaches the dialog's hook; and the entries of its file
// type box when a choice was confirmed.
struct FileDialogRequest {
    std::string Filter;
    std::string DefaultExtension;
    std::vector<std::string> FileTypes;
};
class FileDialogWatcher {
public:
    FileDialogWatcher();
    ~FileDialogWatcher();
    FileDialogWatcher(const FileDialogWatcher&) = delete;
    FileDialogWatcher& operator=(const FileDialogWatcher&) = delete;

    std::vector<FileDialogRequest> Requests;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
};

// A message box as the user reads it, with the system's icon it shows (IDI_INFORMATION,
// IDI_QUESTION...; null for none or another).
struct MessageBoxText {
    std::string Caption;
    std::string Text;
    LPCSTR Icon = nullptr;
};
MessageBoxText ReadMessageBox(HWND box);
bool IsMessageBox(HWND window);
// Whether `window` is a dialog made from the template with `caption`.
bool HasCaption(HWND window, const std::string& caption);

// Waits up to a minute for a started program to end, calling `whileRunning` every 50 ms
// until it has; one that has not ended is killed. Its exit status, or -1 when it had to be
// killed; the process's handles are closed.
DWORD AwaitProgramEnd(PROCESS_INFORMATION& process, const std::function<void()>& whileRunning = {});
