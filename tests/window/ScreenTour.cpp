// Shows the program's windows one after another for scripts/screenshots: the main dialog
// empty, then with the sample replace list loaded and the sample files listed, the progress
// dialog during a run over them, the result log after it, the settings dialog, and the
// about box with its links in each of their looks. At each pose it writes
// "<name>.ready" into the folder given as its argument and waits, with its windows alive,
// until "<name>.done" appears there.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/MainDialog.h"
#include "app/SettingsStore.h"
#include "framework/MessageLoop.h"
#include "platform/FileSystem.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowDriver.h"

namespace {

std::string markers;

BOOL CALLBACK Redraw(HWND window, LPARAM)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

// Runs messages until `enough` says so, asking it at every tick of a 50 ms timer.
template <typename Enough>
void RunMessagesWhile(Enough enough)
{
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, nullptr);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && !message.hwnd) {
            if (enough())
                break;
            continue;
        }
        DispatchWithPreTranslation(message);
    }
    ::KillTimer(nullptr, timer);
}

void Pose(const std::string& name)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), Redraw, 0);
    // What was drawn reaches the display with the next messages.
    int ticks = 0;
    RunMessagesWhile([&] { return ++ticks == 6; });
    platform::WriteWholeFile(markers + "\\" + name + ".ready", "", 0);
    const std::string done = markers + "\\" + name + ".done";
    RunMessagesWhile([&] { return platform::PathExists(done); });
}

void CALLBACK PoseLog(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    Pose("log");
    HWND log = ::GetActiveWindow();
    ::PostMessageA(log, WM_COMMAND, IDOK, 0);
}

void CALLBACK PoseSettings(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    Pose("settings");
    ::PostMessageA(::GetActiveWindow(), WM_COMMAND, IDOK, 0);
}

// Both links blue; the web link under the pointer; the mail link with the focus.
void CALLBACK PoseAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    HWND about = ::GetActiveWindow();
    Pose("about");
    HWND web = ::GetDlgItem(about, IDC_ABOUT_WEB);
    ::SendMessageA(web, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    Pose("about-hot");
    ::SendMessageA(web, WM_MOUSEMOVE, 0, MAKELPARAM(-50, -50));
    ::SetFocus(::GetDlgItem(about, IDC_ABOUT_MAIL));
    Pose("about-focus");
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: screen_tour <marker folder> <replace list> <folder of files>\n");
        return 2;
    }
    markers = argv[1];
    SettingsStore settings;
    settings.SetFilePath(markers + "\\Tarvelox.ini");

    {
        CMainDialog empty(settings, {"tarvelox.exe", "-L" + markers + "\\no-list.lst"});
        empty.Create();
        empty.ShowWindow(SW_SHOW);
        Pose("main-empty");
        empty.DestroyWindow();
    }

    CMainDialog dialog(settings, {"tarvelox.exe", "-L" + std::string(argv[2]), argv[3]});
    dialog.Create();
    dialog.ShowWindow(SW_SHOW);
    ChooseEntry(dialog.m_hWnd, IDC_FIND_TEXT, 0);
    Pose("main-loaded");

    TextWatcher progress(IDC_PROGRESS_TEXT, [](HWND, const std::string& text) {
        if (text == "2/3")
            Pose("progress");
    });
    ActivationWatcher logShown([](HWND window) {
        if (WindowText(window) == "置換完了")
            ::SetTimer(nullptr, 0, 100, PoseLog);
    });
    Click(dialog.m_hWnd, IDC_START);

    // Each dialog is posed once, however often it is activated.
    bool settingsPosed = false;
    bool aboutPosed = false;
    ActivationWatcher otherDialogs([&](HWND window) {
        if (WindowText(window) == "各種設定" && !settingsPosed) {
            settingsPosed = true;
            ::SetTimer(nullptr, 0, 100, PoseSettings);
        } else if (WindowText(window) == "バージョン情報" && !aboutPosed) {
            aboutPosed = true;
            ::SetTimer(nullptr, 0, 100, PoseAbout);
        }
    });
    // The settings dialog offers the lists beside the sample list.
    settings.WriteSettingString("SETTING", "ReplaceList", argv[2]);
    Click(dialog.m_hWnd, IDC_SETTINGS);
    Click(dialog.m_hWnd, IDC_ABOUT);
    dialog.DestroyWindow();
    return 0;
}
