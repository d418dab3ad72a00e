// The program's entry point: the application object does the rest.
#include <windows.h>
#include <commctrl.h>

#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp* application = CWinApp::Current();
    if (!application)
        return 1;
    return application->InitInstance() ? application->Run() : application->ExitInstance();
}
