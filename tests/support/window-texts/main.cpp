// window-texts: prints the texts of a program's visible windows, one line each after the
// window's class and a tab, in UTF-8, read through the wide API as a user's eye would read
// them; with --check it fails on a text that shows Japanese gone through a code page
// without it. --system-code-page prints the system's ANSI code page (this program has no
// manifest that would choose one).
//   window-texts [--desktop=NAME] [--check] --process=ID | --program=NAME
//   window-texts --system-code-page
// Exit status: 0 every text read and sound, 1 a misread text (on standard error: its
// window's class, the text and the sign), 2 no window found or a text not read.
#include "tests/support/window-texts/MisreadText.h"
#include "tests/support/window-texts/WindowTexts.h"

#include <windows.h>
#include <shellapi.h>

#include <set>
#include <string>
#include <string_view>

namespace {

std::string Utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void Put(DWORD handle, const std::string& bytes)
{
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Fail(const std::string& message)
{
    Put(STD_ERROR_HANDLE, "window-texts: " + message + "\n");
    return 2;
}

bool Option(std::wstring_view argument, std::wstring_view name, std::wstring& value)
{
    if (argument.substr(0, name.size()) != name)
        return false;
    value.assign(argument.substr(name.size()));
    return true;
}

}  // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring desktopName, process, program, ignored;
    bool check = false;
    for (int i = 1; i < count; ++i) {
        const std::wstring_view argument = arguments[i];
        if (argument == L"--system-code-page") {
            Put(STD_OUTPUT_HANDLE, std::to_string(::GetACP()) + "\n");
            return 0;
        }
        if (argument == L"--check")
            check = true;
        else if (!Option(argument, L"--desktop=", desktopName) && !Option(argument, L"--process=", process) &&
                 !Option(argument, L"--program=", program))
            return Fail("unknown argument " + Utf8(argument));
    }
    ProgramChoice choice;
    choice.ProgramName = program;
    if (!process.empty())
        choice.ProcessId = static_cast<DWORD>(std::wcstoul(process.c_str(), nullptr, 10));
    if (!choice.ProcessId && choice.ProgramName.empty())
        return Fail("name the program: --process=ID or --program=NAME");

    // On the program's desktop, not beside it: whether a window is visible is answered
    // only there.
    if (!desktopName.empty()) {
        HDESK desktop = ::OpenDesktopW(desktopName.c_str(), 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
        if (!desktop || !::SetThreadDesktop(desktop))
            return Fail("cannot go to the desktop " + Utf8(desktopName));
    }
    const std::vector<HWND> windows = ProgramWindows(choice);
    if (windows.empty())
        return Fail("no visible window of " + (process.empty() ? Utf8(program) : "process " + Utf8(process)));

    WindowTexts texts;
    for (HWND window : windows)
        ReadWindowTexts(window, texts);

    std::string out, misread;
    for (const WindowText& text : texts.Texts) {
        // A text of several lines (an edit box's) gives a line each.
        std::size_t start = 0;
        while (start <= text.Text.size()) {
            std::size_t end = text.Text.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos)
                end = text.Text.size();
            const std::wstring_view line = std::wstring_view(text.Text).substr(start, end - start);
            if (!line.empty()) {
                out += Utf8(text.WindowClass) + "\t" + Utf8(line) + "\n";
                const std::u16string_view units(reinterpret_cast<const char16_t*>(line.data()), line.size());
                const std::string_view sign = MisreadSign(units);
                if (check && !sign.empty())
                    misread += Utf8(text.WindowClass) + ": \"" + Utf8(line) + "\": " + std::string(sign) + "\n";
            }
            start = end + (text.Text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
        }
    }
    Put(STD_OUTPUT_HANDLE, out);
    Put(STD_ERROR_HANDLE, misread);
    for (const std::wstring& skipped : std::set<std::wstring>(texts.Skipped.begin(), texts.Skipped.end()))
        Put(STD_ERROR_HANDLE, "window-texts: not readable from here: " + Utf8(skipped) + "\n");
    for (const std::wstring& unread : texts.Unread)
        Put(STD_ERROR_HANDLE, "window-texts: not read: " + Utf8(unread) + "\n");
    if (!texts.Unread.empty())
        return 2;
    return misread.empty() ? 0 : 1;
}
