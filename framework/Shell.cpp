#include "framework/Shell.h"

#include <shellapi.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace {

// The folder as a wide path, or none: the kept text must outlive the call.
const wchar_t* FolderOrNull(const std::string& folder, std::wstring& kept)
{
    kept = platform::WidePath(folder);
    return folder.empty() ? nullptr : kept.c_str();
}

}  // namespace

void StartProgram(const std::string& commandLine, const std::string& workingFolder)
{
    // CreateProcessW may write into the command line it is given; the paths in it go
    // as the system's names, escaped characters and all.
    const std::wstring wide = platform::WidePath(commandLine);
    std::vector<wchar_t> command(wide.begin(), wide.end());
    command.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    std::wstring folder;
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         FolderOrNull(workingFolder, folder), &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

void OpenWithAssociatedProgram(const std::string& path, const std::string& workingFolder, HWND owner)
{
    OpenWithSystem(owner, path, nullptr, workingFolder);
}

bool OpenWithSystem(HWND owner, const std::string& target, const char* verb, const std::string& workingFolder)
{
    const std::wstring wideVerb = verb ? platform::Wide(verb) : std::wstring();
    std::wstring folder;
    const HINSTANCE result = ::ShellExecuteW(owner, verb ? wideVerb.c_str() : nullptr, platform::WidePath(target).c_str(),
                                             nullptr, FolderOrNull(workingFolder, folder), SW_SHOWNORMAL);
    // Values up to 32 are the system's error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}
