#include "platform/SettingsLocation.h"

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

#ifndef _WIN32
#include "platform/posix/UserSettingsLocation.h"
#endif

namespace {

TEST(SettingsLocation, AFolderTheUserWritesKeepsTheFileBesideTheProgram)
{
    TempFolder folder;
    const std::string directory = folder / "";
    EXPECT_EQ(platform::SettingsFilePath(directory, "Tarvelox.ini"), directory + "Tarvelox.ini");
    WriteBytes(directory + "Tarvelox.ini", "[SETTING]\r\n");
    EXPECT_EQ(platform::SettingsFilePath(directory, "Tarvelox.ini"), directory + "Tarvelox.ini");
}

#ifndef _WIN32
TEST(SettingsLocation, ChoosesBesideTheProgramOrTheUsersConfigurationFolder)
{
    const struct {
        const char* folder;
        bool exists, writable;
        const char* configHome;
        const char* expected;
    } cases[] = {
        {"/opt/tv/", false, false, "/home/u/.config", "/home/u/.config/tarvelox/Tarvelox.ini"},
        {"/opt/tv/", true, false, "/home/u/.config", "/opt/tv/Tarvelox.ini"},
        {"/opt/tv/", false, true, "/home/u/.config", "/opt/tv/Tarvelox.ini"},
        {"/opt/tv/", false, false, "", "/opt/tv/Tarvelox.ini"},
        // Installed: root may write the folder, and an old file may lie there; neither counts.
        {"/usr/lib/tarvelox/", true, true, "/root/.config", "/root/.config/tarvelox/Tarvelox.ini"},
        {"/home/u/.local/lib/tarvelox/", false, true, "/home/u/.config", "/home/u/.config/tarvelox/Tarvelox.ini"},
        {"/usr/lib/tarvelox/", false, false, "", "/usr/lib/tarvelox/Tarvelox.ini"},
        {"/src/lib/tarvelox/build/", false, true, "/home/u/.config", "/src/lib/tarvelox/build/Tarvelox.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ChooseSettingsFile(c.folder, "Tarvelox.ini", {c.exists, c.writable, c.configHome}),
                  c.expected)
            << c.folder << c.exists << c.writable << c.configHome;
}

TEST(SettingsLocation, ConfigurationFolderFollowsTheVariables)
{
    const struct {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/conf", "/home/u", "/x/conf"},
        {"relative/conf", "/home/u", "/home/u/.config"},  // only an absolute value counts
        {"", "/home/u", "/home/u/.config"},
        {nullptr, "/home/u", "/home/u/.config"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::UserConfigHome(c.xdg, c.home), c.expected) << (c.xdg ? c.xdg : "(unset)");
}
#endif

}  // namespace
