#include "framework/WinApp.h"

#include "framework/Idle.h"
#include "framework/MessageLoop.h"
#include "framework/Shell.h"
#include "framework/Window.h"
#include "platform/win32/WideText.h"

namespace {

CWinApp* theApplication = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    theApplication = this;
}

CWinApp::~CWinApp()
{
    if (theApplication == this)
        theApplication = nullptr;
}

bool CWinApp::InitInstance()
{
    return true;
}

int CWinApp::ExitInstance()
{
    return quitCode_;
}

int CWinApp::Run()
{
    MSG message;
    BOOL got;
    while ((got = GetMessageWhenIdle(message)) > 0)
        DispatchWithPreTranslation(message);
    quitCode_ = got == 0 ? static_cast<int>(message.wParam) : 1;
    return ExitInstance();
}

bool CWinApp::OnCommand(int id)
{
    if (id != ApplicationHelpCommand)
        return false;
    OnHelp();
    return true;
}

bool CWinApp::OnHelp()
{
    HWND owner = mainWindow_ ? mainWindow_->m_hWnd : nullptr;
    return OpenWithSystem(owner, helpPath_);
}

CWinApp* CWinApp::Current()
{
    return theApplication;
}

int AppMessageBox(const std::string& text, UINT type, const std::string& caption, HWND owner)
{
    const CWinApp* application = CWinApp::Current();
    if (!owner && application && application->MainWindow())
        owner = application->MainWindow()->m_hWnd;
    std::string title = caption;
    if (title.empty() && application)
        title = application->AppName();
    return ::MessageBoxW(owner, platform::WideShown(text).c_str(), platform::WideShown(title).c_str(), type);
}
