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
        bool exists, writable;
        const char* configHome;
        const char* expected;
    } cases[] = {
        {false, false, "/home/u/.config", "/home/u/.config/tarvelox/Tarvelox.ini"},
        {true, false, "/home/u/.config", "/usr/lib/tarvelox/Tarvelox.ini"},
        {false, true, "/home/u/.config", "/usr/lib/tarvelox/Tarvelox.ini"},
        {false, false, "", "/usr/lib/tarvelox/Tarvelox.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ChooseSettingsFile("/usr/lib/tarvelox/", "Tarvelox.ini", {c.exists, c.writable, c.configHome}),
                  c.expected)
            << c.exists << c.writable << c.configHome;
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
