#include "app/ReplaceApp.h"

#include "app/AutomaticRun.h"
#include "app/MainDialog.h"
#include "app/Startup.h"
#include "framework/Resources.h"
#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char HelpFileName[] = "tarvelox.html";
static_assert(IDM_HELP == ApplicationHelpCommand, "the menus name the application's help command");

// The one application object of the program.
CReplaceApp theApplication;

}  // namespace

CReplaceApp::CReplaceApp() = default;

bool CReplaceApp::InitInstance()
{
    SetAppName(LoadResourceString(IDS_PROGRAM_NAME));
    // Where the program's own folder, or a name it was given, cannot pass into code page
    // 932, it would work on a look-alike of it: nothing is done at all.
    if (platform::ModulePath().empty()) {
        AppMessageBox(LoadResourceString(IDS_PROGRAM_FOLDER_NOT_CARRIED), MB_OK | MB_ICONSTOP);
        exitCode_ = RunNotCarriedOut;
        return false;
    }
    std::vector<std::string> arguments;
    std::string notCarried;
    // A name goes on through the escape of the characters code page 932 lacks; a switch's
    // text (a find text, a list's path) is refused.
    for (const platform::SystemName& argument : platform::ProgramArguments()) {
        arguments.push_back(argument.Text);
        const bool isSwitch = !argument.Text.empty() && platform::IsSwitchCharacter(argument.Text[0]);
        if (!argument.NamesTheFile() || (!argument.Exact && isSwitch))
            notCarried += argument.Text + "\n";
    }
    if (!notCarried.empty()) {
        AppMessageBox(LoadResourceString(IDS_ARGUMENTS_NOT_CARRIED) + notCarried, MB_OK | MB_ICONSTOP);
        exitCode_ = RunNotCarriedOut;
        return false;
    }

    const StartupResult startup = RunStartupSteps(settings_);
    SetProfilePath(settings_.FilePath());
    SetHelpPath(startup.ProgramDirectory + HelpFileName);

    CMainDialog dialog(settings_, arguments);
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
