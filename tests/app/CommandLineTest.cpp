#include "app/CommandLineOptions.h"
#include "app/SettingsStore.h"
#include "app/StartValues.h"

#include <gtest/gtest.h>

#include "platform/CommandLine.h"
#include "platform/ProgramDirectory.h"
#include "tests/support/TestFiles.h"

namespace {

using Arguments = std::vector<std::string>;
using Text = std::optional<std::string>;

class CommandLineTest : public testing::Test {
protected:
    CommandLineTest() { settings_.SetFilePath(folder_ / "Tarvelox.ini"); }

    CommandLineOptions Parse(Arguments arguments)
    {
        arguments.insert(arguments.begin(), "tarvelox");
        return ParseCommandLine(arguments, settings_);
    }
    void WriteSettings(const std::string& text) { WriteBytes(settings_.FilePath(), text); }

    TempFolder folder_;
    SettingsStore settings_;
};

// The settings file of these cases turns backup and subfolders off and full-automatic on,
// so that every value shows whether it came from the file or from the command line.
TEST_F(CommandLineTest, SwitchesAndTheirValueRules)
{
    WriteSettings("[MAIN]\r\nBackUp=0\r\nAllAuto=1\r\n[SETTING]\r\nSubEntry=0\r\n");
    const struct {
        Arguments arguments;
        bool automatic;
        int subfolders, backup, fullAuto;
        Text extensions, list, letters, replace, find;
        Arguments files;
    } cases[] = {
        {{}, false, 0, 0, 1, {}, {}, {}, {}, {}, {}},
        {{"-B", "-S1", "-A0"}, false, 1, 1, 0, {}, {}, {}, {}, {}, {}},
        {{"-b2", "-B10", "-Sx", "-Aon"}, false, 0, 0, 1, {}, {}, {}, {}, {}, {}},
        {{"-B1", "-B0"}, false, 0, 0, 1, {}, {}, {}, {}, {}, {}},
        {{"-H"}, true, 0, 0, 1, {}, {}, {}, {}, {}, {}},
        {{"-Hx", "-h0"}, false, 0, 0, 1, {}, {}, {}, {}, {}, {}},
        {{"-F"}, false, 0, 0, 1, {}, {}, {}, {}, "", {}},
        {{"-Fa", "-fb c", "-Rx", "-r"}, false, 0, 0, 1, {}, {}, {}, "", "b c", {}},
        {{"-OSC", "-E*.TXT;*.", "-Lmy.lst"}, false, 0, 0, 1, "*.TXT;*.", "my.lst", "sc", {}, {}, {}},
        {{"-Oe\x82\x60K"}, false, 0, 0, 1, {}, {}, "e\x82\x60k", {}, {}, {}},
        {{"-F\x95\x5c", "-R\\t"}, false, 0, 0, 1, {}, {}, {}, "\\t", "\x95\x5c", {}},
        // Unknown letters, a missing letter and -c inside the loop are ignored, never files.
        {{"-", "-z", "-cx", "-Q1", "a.txt"}, false, 0, 0, 1, {}, {}, {}, {}, {}, {"a.txt"}},
        {{"b", "@list.txt", "-", "a"}, false, 0, 0, 1, {}, {}, {}, {}, {}, {"b", "@list.txt", "a"}},
        // The clear switch anywhere, in either case, clears every default.
        {{"a", "-c"}, false, 0, 0, 0, "", "", "", "", "", {"a"}},
        {{"-C", "-Fx", "-E*.c", "-B"}, false, 0, 1, 0, "*.c", "", "", "", "x", {}},
    };
    for (const auto& c : cases) {
        const CommandLineOptions options = Parse(c.arguments);
        const std::string name = testing::PrintToString(c.arguments);
        EXPECT_EQ(options.AutomaticMode, c.automatic) << name;
        EXPECT_EQ(options.IncludeSubfolders, c.subfolders) << name;
        EXPECT_EQ(options.MakeBackup, c.backup) << name;
        EXPECT_EQ(options.FullAutomatic, c.fullAuto) << name;
        EXPECT_EQ(options.AllowedExtensions, c.extensions) << name;
        EXPECT_EQ(options.ReplaceListFile, c.list) << name;
        EXPECT_EQ(options.OptionLetters, c.letters) << name;
        EXPECT_EQ(options.ReplaceText, c.replace) << name;
        EXPECT_EQ(options.FindText, c.find) << name;
        EXPECT_EQ(options.FileArguments, c.files) << name;
    }
}

TEST_F(CommandLineTest, WithoutASettingsFileTheDefaultsStand)
{
    const CommandLineOptions options = Parse({});
    EXPECT_EQ(options.IncludeSubfolders, 1);
    EXPECT_EQ(options.MakeBackup, 1);
    EXPECT_EQ(options.FullAutomatic, 0);
}

TEST_F(CommandLineTest, TheProgramItselfIsNeverExamined)
{
    const CommandLineOptions options = ParseCommandLine({"-H", "-Fx"}, settings_);
    EXPECT_FALSE(options.AutomaticMode);
    EXPECT_EQ(options.FindText, "x");
    EXPECT_TRUE(options.FileArguments.empty());
    EXPECT_FALSE(HasClearSwitch({"-c"}));
    EXPECT_TRUE(HasClearSwitch({"x", "y", "-C"}));
}

TEST_F(CommandLineTest, SlashIsASwitchOnlyOnWindows)
{
    const CommandLineOptions options = Parse({"/c", "/H", "/tmp/a.txt"});
#ifdef _WIN32
    EXPECT_TRUE(platform::IsSwitchCharacter('/'));
    EXPECT_TRUE(options.AutomaticMode);
    EXPECT_EQ(options.MakeBackup, 0);
    EXPECT_TRUE(options.FileArguments.empty());
#else
    EXPECT_FALSE(platform::IsSwitchCharacter('/'));
    EXPECT_FALSE(options.AutomaticMode);
    EXPECT_EQ(options.MakeBackup, 1);
    EXPECT_EQ(options.FileArguments, (Arguments{"/c", "/H", "/tmp/a.txt"}));
#endif
    EXPECT_TRUE(platform::IsSwitchCharacter('-'));
}

TEST_F(CommandLineTest, StartValuesFromTheCommandLineOrTheRememberedState)
{
    const std::string remembered =
        "[MAIN]\r\nFind=old\r\nReplace=new\r\nNotCase=1\r\nRegularExpression=1\r\nIgnorecase=7\r\n"
        "OpenDir=C:\\docs\r\n[SETTING]\r\nAbleExt=*.md\r\nReplaceList=mine.lst\r\n";
    const struct {
        const char* memLast;
        Arguments arguments;
        const char* find;
        const char* replace;
        PatternOptions options;
        const char* list;
        const char* extensions;
    } cases[] = {
        {"0", {}, "", "", 0, "mine.lst", "*.md"},
        // A remembered or given regular expression stays one whether or not the library
        // is there: without it the run is refused, never run as literal text.
        {"1", {}, "old", "new", NotCase | RegularExpression | Ignorecase, "mine.lst", "*.md"},
        {"1", {"-F", "-Oxs"}, "", "new", NotEscape, "mine.lst", "*.md"},
        {"1", {"-Ose", "-Lother.lst", "-E"}, "old", "new", NotEscape | RegularExpression, "other.lst", ""},
        {"0", {"-Oekmic"}, "", "", RegularExpression | Kanji | Multiline | Ignorecase | NotCase, "mine.lst", "*.md"},
        {"1", {"-c"}, "", "", 0, "", ""},
    };
    for (const auto& c : cases) {
        WriteSettings(remembered + "MemLast=" + c.memLast + "\r\n");
        Arguments arguments = c.arguments;
        arguments.insert(arguments.begin(), "tarvelox");
        const MainDialogStartValues values = StartValuesFrom(ParseCommandLine(arguments, settings_), settings_);
        const std::string name = testing::PrintToString(c.arguments) + " MemLast=" + c.memLast;
        EXPECT_EQ(values.FindText, c.find) << name;
        EXPECT_EQ(values.ReplaceText, c.replace) << name;
        EXPECT_EQ(values.Options, c.options) << name;
        EXPECT_EQ(values.ReplaceListName, c.list) << name;
        EXPECT_EQ(values.ExtensionListText, c.extensions) << name;
        EXPECT_EQ(values.LastAddFolder, "C:\\docs") << name;
    }
}

TEST_F(CommandLineTest, FirstStartValues)
{
    const MainDialogStartValues values = StartValuesFrom(Parse({"-H"}), settings_);
    EXPECT_EQ(values.ReplaceListName, platform::GetProgramDirectory() + "replace.lst");
    EXPECT_EQ(values.LastAddFolder, ".");
    EXPECT_EQ(values.ExtensionListText, "*.bat;*.cgi;*.css;*.htm;*.html;*.js;*.log;*.pl;*.shtml;*.txt");
    EXPECT_EQ(values.BackUp, 1);
    EXPECT_EQ(values.FullAutomatic, 0);
    EXPECT_EQ(values.SubfolderRule, 1);
    EXPECT_TRUE(values.AutomaticMode);
    EXPECT_FALSE(FileExists(settings_.FilePath()));
}

TEST_F(CommandLineTest, SwitchValuesBecomeCheckBoxStates)
{
    WriteSettings("[MAIN]\r\nBackUp=5\r\nAllAuto=on\r\n[SETTING]\r\nSubEntry=-2\r\n");
    const MainDialogStartValues values = StartValuesFrom(Parse({}), settings_);
    EXPECT_EQ(values.BackUp, 1);
    EXPECT_EQ(values.FullAutomatic, 0);
    EXPECT_EQ(values.SubfolderRule, 1);
}

}  // namespace
