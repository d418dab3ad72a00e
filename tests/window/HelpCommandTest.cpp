#include <gtest/gtest.h>

#include "framework/WinApp.h"
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

}  // namespace
