#pragma once
// The application object: start-up beside the program, then the main window, whose end is
// the program's end. Nothing is written at the end but what the main window writes.
#include "app/SettingsStore.h"
#include "framework/WinApp.h"

class CReplaceApp : public CWinApp {
public:
    CReplaceApp();

    bool InitInstance() override;
    int ExitInstance() override;
    // Tells the user when the help document cannot be opened.
    bool OnHelp() override;

    SettingsStore& Settings() { return settings_; }

private:
    SettingsStore settings_;
    int exitCode_ = 0;
};
