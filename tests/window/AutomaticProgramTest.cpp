// The real program in automatic mode: tarvelox.exe copied with the regular-expression
// library into a folder of its own, where it keeps its settings and writes replace.log.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProgramDirectory.h"
#include "tests/engine/fixtures/EncodingFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/window/WindowDriver.h"

namespace {

namespace fixture = encoding_fixture;

class AutomaticProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(::CopyFileA(TARVELOX_PROGRAM, (home_ / "tarvelox.exe").c_str(), TRUE));
        ASSERT_TRUE(::CopyFileA((platform::GetProgramDirectory() + "bregexp.dll").c_str(),
                                (home_ / "bregexp.dll").c_str(), TRUE));
    }

    // The program's exit status, or -1 when it did not end within a minute.
    DWORD Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), home_ / "tarvelox.exe");
        // Each argument quoted, the program's path first.
        std::string command;
        for (const std::string& argument : arguments)
            command.append(command.empty() ? "\"" : " \"").append(argument).append("\"");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, work_.Path().c_str(),
                              &startup, &process)) {
            ADD_FAILURE() << "cannot start " << command;
            return static_cast<DWORD>(-1);
        }
        return AwaitProgramEnd(process);
    }

    TempFolder home_;
    TempFolder work_;
};

TEST_F(AutomaticProgramTest, OneShiftJisListRewritesEachCopyInItsOwnEncoding)
{
    WriteBytes(work_ / "list.lst", fixture::ReplaceList);
    fixture::WriteCopies(work_);
    std::vector<std::string> arguments = {"-H", "-A", "-B0", "-L" + (work_ / "list.lst")};
    for (const std::string& name : fixture::CopyNames())
        arguments.push_back(work_ / name);

    // The ISO-2022-JP copy is left alone, which the exit status does not hide.
    EXPECT_EQ(Run(arguments), 1u);

    fixture::ExpectCopiesRewritten(work_);
    EXPECT_EQ(ReadBytes(home_ / "replace.log"), fixture::ExpectedRunLog(work_.Path() + "\\"));
    EXPECT_FALSE(FileExists(home_ / "Tarvelox.ini"));
}

// The window program keeps the grammar of its own command line, which the native command
// left: letters in either case, the value straight after the letter, unknown switches
// ignored, replace.log written in its own folder.
TEST_F(AutomaticProgramTest, TheWindowProgramKeepsItsGrammar)
{
    WriteBytes(work_ / "a.txt", "Copyright 2024");
    WriteBytes(work_ / "COPY", "Copyright");

    // -R with a space is an empty replacement, and COPY a name, which names nothing beside
    // the program and is passed over, as the exit status tells.
    EXPECT_EQ(Run({"-h", "--dry-run", "-n", "-b0", "-fCopyright", "-R", "COPY", work_ / "a.txt", work_ / "COPY"}), 1u);

    EXPECT_EQ(ReadBytes(work_ / "a.txt"), " 2024");
    EXPECT_EQ(ReadBytes(work_ / "COPY"), "Copyright");  // no extension let in
    EXPECT_FALSE(FileExists(work_ / "a.txt.bak"));
    EXPECT_TRUE(FileExists(home_ / "replace.log"));
}

}  // namespace
