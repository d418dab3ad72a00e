// An automatic run of the window program stopped from the console it was started from.
#include "app/ConsoleStop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/engine/support/ExpectedLog.h"
#include "tests/support/TestFiles.h"

namespace {

BOOL WINAPI StayHere(DWORD)
{
    return TRUE;
}

// Whether the file still begins with `byte`; looked at without standing in the way of the
// program replacing it.
bool BeginsWith(const std::string& path, char byte)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    char first = 0;
    DWORD got = 0;
    const bool read = file != INVALID_HANDLE_VALUE && ::ReadFile(file, &first, 1, &got, nullptr) && got == 1;
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    return !read || first == byte;
}

std::string FileName(int i)
{
    std::string name = "f";
    return name.append(std::to_string(i)).append(".txt");
}

}  // namespace

TEST(ConsoleStop, CtrlCAndCtrlBreakStopTheRunWithTheStatusOfSigint)
{
    for (const DWORD event : {DWORD{CTRL_C_EVENT}, DWORD{CTRL_BREAK_EVENT}}) {
        AbortFlag abort{false};
        const ConsoleStop console(abort);
        EXPECT_EQ(console.ExitStatus(), 0);
        EXPECT_TRUE(ConsoleStop::OnConsoleEvent(event));
        EXPECT_TRUE(abort);
        EXPECT_EQ(console.ExitStatus(), StoppedByCtrlC);
    }
}

// The system ends the program once the handler returns from a closing console's event:
// it returns only after the run has stopped and written its log.
TEST(ConsoleStop, AClosingConsoleWaitsForTheRunToEnd)
{
    AbortFlag abort{false};
    ConsoleStop console(abort);
    std::atomic<bool> returned{false};
    std::thread closing([&] {
        ConsoleStop::OnConsoleEvent(CTRL_CLOSE_EVENT);
        returned = true;
    });
    while (!abort)
        std::this_thread::yield();
    EXPECT_FALSE(returned);
    console.RunEnded();
    closing.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(console.ExitStatus(), StoppedByClosedConsole);
}

// The real program in automatic mode, started from this test's console as from a command
// prompt, and Ctrl+C pressed there while it runs: the files done are rewritten and logged,
// the others untouched, no temporary file is left, and the exit status is 130.
TEST(ConsoleStop, CtrlCInTheConsoleOfTheRealProgram)
{
    // A console of its own when this test has none; one it has already is refused.
    if (!::AllocConsole() && ::GetLastError() != ERROR_ACCESS_DENIED)
        GTEST_SKIP() << "no console to press Ctrl+C in";
    ::SetConsoleCtrlHandler(StayHere, TRUE);
    // The program's folder is the current one in automatic mode: a copy of its own.
    TempFolder folder;
    for (const char* file : {"tarvelox.exe", "bregexp.dll"}) {
        std::string from = TARVELOX_PROGRAM_FOLDER;
        from.append(1, '\\').append(file);
        ASSERT_TRUE(::CopyFileA(from.c_str(), (folder / file).c_str(), FALSE));
    }
    constexpr int Files = 200;
    const std::string text(256 * 1024, 'a');
    std::string names;
    for (int i = 0; i < Files; ++i) {
        const std::string name = FileName(i);
        WriteBytes(folder / name, text);
        names.append(name).append("\r\n");
    }
    WriteBytes(folder / "names", names);
    std::string command = "\"";
    command.append(folder / "tarvelox.exe").append("\" -H -c -E*.txt -Fa -Rb @names");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(),
                                 &startup, &process));
    // Pressed once the run is under way (waited for at most 30 seconds).
    for (int wait = 0; BeginsWith(folder / "f0.txt", 'a') && wait < 30000; ++wait)
        ::Sleep(1);
    EXPECT_TRUE(::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::SetConsoleCtrlHandler(StayHere, FALSE);

    EXPECT_EQ(status, static_cast<DWORD>(StoppedByCtrlC));
    int changed = 0;
    for (int i = 0; i < Files; ++i) {
        const std::string name = FileName(i);
        const std::string now = ReadBytes(folder / name);
        EXPECT_TRUE(now == text || now == std::string(text.size(), 'b')) << name;
        changed += now != text;
        EXPECT_FALSE(FileExists((folder / name).append(".tarvelox.tmp"))) << name;
    }
    EXPECT_GT(changed, 0);
    EXPECT_LT(changed, Files);
    // The log of the files done, with their total.
    char total[16];
    std::snprintf(total, sizeof total, "%11d", changed * static_cast<int>(text.size()));
    EXPECT_TRUE(ReadBytes(folder / "replace.log").ends_with(ExpectedLogTotals(total)));
}
