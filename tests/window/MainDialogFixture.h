#pragma once
// A main dialog on real files: settings in a fresh folder, lists beside the test program
// (which has a folder of its own), the dialog created as a window of the test's thread.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/SettingsStore.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

class MainDialogFixture : public testing::Test {
protected:
    // The runs' undo journals go to the test's folder, not to the user's.
    void SetUp() override
    {
        settings_.SetFilePath(IniPath());
        char local[MAX_PATH];
        const DWORD length = ::GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
        previousLocal_ = length > 0 && length < MAX_PATH ? std::string(local, length) : std::string();
        ::SetEnvironmentVariableA("LOCALAPPDATA", (folder_ / "local").c_str());
    }
    void TearDown() override
    {
        Close();
        ::SetEnvironmentVariableA("LOCALAPPDATA", previousLocal_.empty() ? nullptr : previousLocal_.c_str());
        for (const char* name : {"replace.lst", "$History.lst"})
            platform::RemoveFile(ProgramFile(name));
    }

    // Opens the dialog with these switches after the program's name; without the library
    // it loads none.
    void Open(std::vector<std::string> switches = {}, bool library = true)
    {
        switches.insert(switches.begin(), "tarvelox.exe");
        dialog_ = library ? std::make_unique<CMainDialog>(settings_, switches)
                          : std::make_unique<CMainDialog>(settings_, switches, folder_ / "no-library.dll");
        ASSERT_TRUE(dialog_->Create());
    }
    // Destroys the window, which runs the exit step.
    void Close()
    {
        if (dialog_ && dialog_->m_hWnd)
            dialog_->DestroyWindow();
        dialog_.reset();
    }

    HWND Dialog() const { return dialog_->m_hWnd; }
    CMainDialog& Window() { return *dialog_; }
    SettingsStore& Settings() { return settings_; }
    std::string IniPath() const { return folder_ / "Tarvelox.ini"; }
    std::string ProgramFile(const std::string& name) const { return platform::GetProgramDirectory() + name; }
    void WriteSetting(const std::string& section, const std::string& key, const std::string& value)
    {
        settings_.WriteSettingString(section, key, value);
    }

    TempFolder folder_;

private:
    SettingsStore settings_;
    std::unique_ptr<CMainDialog> dialog_;
    std::string previousLocal_;
};
