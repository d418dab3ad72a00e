#include "app/Startup.h"

#include <gtest/gtest.h>

#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

namespace {

// Start-up works in the folder of the test program itself; the files it may create there
// are removed again, and the working directory is restored.
class StartupTest : public testing::Test {
protected:
    void SetUp() override
    {
        directory_ = platform::GetProgramDirectory();
        for (const char* name : Names)
            ASSERT_FALSE(FileExists(directory_ + name)) << name << " left behind in " << directory_;
        before_ = platform::CurrentDirectory();
    }
    void TearDown() override
    {
        for (const char* name : Names)
            platform::RemoveFile(directory_ + name);
        platform::ChangeCurrentDirectory(before_);
    }

    static constexpr const char* Names[] = {"Tarvelox.ini", "replace.lst", "list.dat"};
    std::string directory_;
    std::string before_;
};

TEST_F(StartupTest, FromAnotherDirectoryEverythingIsFoundBesideTheProgram)
{
    TempFolder elsewhere;
    WriteBytes(elsewhere / "list.dat", "not ours\r\n");
    ASSERT_TRUE(platform::ChangeCurrentDirectory(elsewhere.Path()));
    SettingsStore settings;
    const StartupResult result = RunStartupSteps(settings);

    EXPECT_EQ(result.ProgramDirectory, directory_);
    EXPECT_EQ(platform::CurrentDirectory() + platform::PathSeparator, directory_);
    EXPECT_EQ(settings.FilePath(), directory_ + "Tarvelox.ini");
    EXPECT_EQ(result.Conversion, LegacyConversion::NoLegacyFile);
    EXPECT_TRUE(FileExists(elsewhere / "list.dat"));
    EXPECT_FALSE(FileExists(directory_ + "replace.lst"));

    EXPECT_TRUE(settings.WriteSwitch(Setting::MemLast, 1));
    EXPECT_EQ(ReadBytes(directory_ + "Tarvelox.ini"), "[SETTING]\r\nMemLast=1\r\n");
    EXPECT_FALSE(FileExists(elsewhere / "Tarvelox.ini"));
}

TEST_F(StartupTest, ConvertsListDatBesideTheProgram)
{
    WriteBytes(directory_ + "list.dat", "f1\r\nr1\r\nf2\r\n");
    WriteBytes(directory_ + "replace.lst", "former\t\t\r\n");
    SettingsStore settings;
    EXPECT_EQ(RunStartupSteps(settings).Conversion, LegacyConversion::Converted);
    EXPECT_EQ(ReadBytes(directory_ + "replace.lst"), "f1\tr1\r\nf2\t\r\n");
    EXPECT_FALSE(FileExists(directory_ + "list.dat"));
}

TEST_F(StartupTest, WithoutListDatTheListStaysUnchanged)
{
    WriteBytes(directory_ + "replace.lst", "former\t\t\r\n");
    SettingsStore settings;
    EXPECT_EQ(RunStartupSteps(settings).Conversion, LegacyConversion::NoLegacyFile);
    EXPECT_EQ(ReadBytes(directory_ + "replace.lst"), "former\t\t\r\n");
}

}  // namespace
