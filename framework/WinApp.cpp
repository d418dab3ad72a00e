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
    return OpenWithSystem(ActiveOwner(), helpPath_);
}

HWND CWinApp::ActiveOwner() const
{
    // The window the user works in: a box owned by the main window while a dialog or the
    // list editor is open over it would give the main window back its input when it
    // closes, with that window still open.
    if (HWND active = ::GetActiveWindow())
        return active;
    return mainWindow_ ? mainWindow_->m_hWnd : nullptr;
}

CWinApp* CWinApp::Current()
{
    return theApplication;
}

int AppMessageBox(const std::string& text, UINT type, const std::string& caption, HWND owner)
{
    const CWinApp* application = CWinApp::Current();
    if (!owner && application)
        owner = application->ActiveOwner();
    std::string title = caption;
    if (title.empty() && application)
        title = application->AppName();
    return ::MessageBoxW(owner, platform::WideShown(text).c_str(), platform::WideShown(title).c_str(), type);
}
