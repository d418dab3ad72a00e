#include "framework/Shell.h"

#include <shellapi.h>

#include <vector>

namespace {

const char* FolderOrNull(const std::string& folder)
{
    return folder.empty() ? nullptr : folder.c_str();
}

}  // namespace

void StartProgram(const std::string& commandLine, const std::string& workingFolder)
{
    // CreateProcessA may write into the command line it is given.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, FolderOrNull(workingFolder),
                         &startup, &process)) {
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
    const HINSTANCE result =
        ::ShellExecuteA(owner, verb, target.c_str(), nullptr, FolderOrNull(workingFolder), SW_SHOWNORMAL);
    // Values up to 32 are the system's error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}
