#include <gtest/gtest.h>

#include "framework/WinApp.h"
#include "framework/Window.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestFiles.h"

namespace {

class RecordingApp : public CWinApp {
public:
    bool OnHelp() override
    {
        ++helps;
        return CWinApp::OnHelp();
    }
    int helps = 0;
};

TEST(HelpCommand, TheApplicationAnswersTheMenusHelpCommand)
{
    RecordingApp application;
    TempFolder folder;
    application.SetHelpPath(folder / "tarvelox.html");
    EXPECT_FALSE(application.OnCommand(IDM_HELP - 1));
    EXPECT_EQ(application.helps, 0);
    // The document is missing: the system cannot open it, and says so to the program.
    EXPECT_TRUE(application.OnCommand(IDM_HELP));
    EXPECT_EQ(application.helps, 1);
    EXPECT_FALSE(application.OnHelp());
}

// A box the application shows is owned by the window the user works in, so that closing
// it gives the input back to that window and not to the main window under it.
TEST(HelpCommand, ABoxOfTheApplicationBelongsToTheActiveWindow)
{
    CWinApp application;
    HWND main = ::CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                  nullptr);
    HWND editor = ::CreateWindowExA(0, "STATIC", "editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, main,
                                    nullptr, nullptr, nullptr);
    CWnd mainWindow;
    mainWindow.m_hWnd = main;
    application.SetMainWindow(&mainWindow);
    ::SetActiveWindow(editor);
    ASSERT_EQ(::GetActiveWindow(), editor);
    EXPECT_EQ(application.ActiveOwner(), editor);
    application.SetMainWindow(nullptr);
    mainWindow.m_hWnd = nullptr;
    ::DestroyWindow(editor);
    ::DestroyWindow(main);
}

}  // namespace
