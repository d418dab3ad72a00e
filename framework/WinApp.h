#pragma once
// The application object: one static object of a class derived from CWinApp, constructed
// before the program's entry point runs. The entry point calls its start operation and,
// when that asks for it, runs the message loop until the program is told to quit.
#include <windows.h>

#include <string>

class CWnd;

// The help command of the application, as menus name it.
inline constexpr int ApplicationHelpCommand = 0xE146;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The start. true runs the message loop afterwards; false ends the program at once.
    virtual bool InitInstance();
    // The end, after the start or after the message loop; the result is the program's exit
    // code, by default the value of WM_QUIT.
    virtual int ExitInstance();
    // Runs messages until WM_QUIT, then ExitInstance.
    int Run();

    // The profile (settings) file the application's settings live in.
    const std::string& ProfilePath() const { return profilePath_; }
    void SetProfilePath(std::string path) { profilePath_ = std::move(path); }
    // The caption of message boxes that have none of their own.
    const std::string& AppName() const { return appName_; }
    void SetAppName(std::string name) { appName_ = std::move(name); }
    // The window that owns the program's message boxes; null when there is none.
    CWnd* MainWindow() const { return mainWindow_; }
    void SetMainWindow(CWnd* window) { mainWindow_ = window; }
    // The document the help command opens.
    void SetHelpPath(std::string path) { helpPath_ = std::move(path); }
    const std::string& HelpPath() const { return helpPath_; }
    // The owner of a box the application shows: the active window of its thread, or the
    // main window when none is active.
    HWND ActiveOwner() const;
    // The application's own commands, which windows hand on when they do not handle them;
    // true when handled.
    virtual bool OnCommand(int id);
    // The help command: the help document, opened with the program the system associates
    // with it; false when the system could not open it.
    virtual bool OnHelp();

    static CWinApp* Current();

private:
    std::string profilePath_;
    std::string appName_;
    std::string helpPath_;
    CWnd* mainWindow_ = nullptr;
    int quitCode_ = 0;
};

// A message box of the application: owned by `owner`, or when there is none by the
// application's ActiveOwner; captioned with the application's name when no caption is given.
int AppMessageBox(const std::string& text, UINT type = MB_OK, const std::string& caption = std::string(),
                  HWND owner = nullptr);
