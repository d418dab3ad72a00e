#include "app/ReplaceApp.h"

#include "app/ApplicationName.h"
#include "app/AutomaticRun.h"
#include "app/MainDialog.h"
#include "app/Startup.h"
#include "framework/Resources.h"
#include "platform/CommandLine.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char HelpFileName[] = "tarvelox.html";
static_assert(IDM_HELP == ApplicationHelpCommand, "the menus name the application's help command");

// The one application object of the program.
CReplaceApp theApplication;

}  // namespace

CReplaceApp::CReplaceApp()
{
    SetAppName(ApplicationName());
}

bool CReplaceApp::InitInstance()
{
    const StartupResult startup = RunStartupSteps(settings_);
    SetProfilePath(settings_.FilePath());
    SetHelpPath(startup.ProgramDirectory + HelpFileName);

    CMainDialog dialog(settings_, platform::ProgramArguments());
    SetMainWindow(&dialog);
    if (dialog.DoModal() == -1) {
        AppMessageBox(LoadResourceString(IDS_MAIN_WINDOW_NOT_CREATED), MB_OK | MB_ICONSTOP);
        exitCode_ = RunNotCarriedOut;
    } else {
        exitCode_ = dialog.ExitStatus();
    }
    SetMainWindow(nullptr);
    // The program ends with the main window: no message loop of its own.
    return false;
}

int CReplaceApp::ExitInstance()
{
    return exitCode_;
}

bool CReplaceApp::OnHelp()
{
    if (CWinApp::OnHelp())
        return true;
    AppMessageBox(LoadResourceString(IDS_HELP_NOT_OPENED) + HelpPath(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}
