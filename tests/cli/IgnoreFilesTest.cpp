// The native command's walks and .ignore files, end to end.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/cli/NativeCommandFixture.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TestFiles.h"

// A .ignore file leaves out what it names, in its folder and below, inside a git working
// tree or not; its "!" rules take back what .gitignore leaves out; one in a folder above
// the named one counts; a named folder it leaves out is walked; --no-ignore reads none.
// One that cannot be read refuses the run before anything is touched.
TEST_F(NativeCommandTest, DotIgnoreFiles)
{
    const struct {
        const char* what;
        bool git;
        std::map<std::string, std::string> files;  // "" is a folder
        Arguments arguments;
        std::vector<std::string> changed;
        int status;
        std::string err;
    } cases[] = {
        {"outside a working tree",
         false,
         {{".ignore", "*.log\n"}, {"a.txt", "foo"}, {"b.log", "foo"}, {"sub/c.log", "foo"}, {"sub/d.txt", "foo"}},
         {"."},
         {"a.txt", "sub/d.txt"},
         0,
         "2 left out by ignore files"},
        {"--no-ignore",
         false,
         {{".ignore", "*.log\n"}, {"a.txt", "foo"}, {"b.log", "foo"}},
         {"--no-ignore", "."},
         {"a.txt", "b.log"},
         0,
         "1 hidden left out"},
        {"over .gitignore",
         true,
         {{".gitignore", "*.log\nbuild/\n"},
          {".ignore", "!keep.log\n!build/\nsecret.txt\n"},
          {"a.log", "foo"},
          {"keep.log", "foo"},
          {"secret.txt", "foo"},
          {"build/d.txt", "foo"}},
         {"."},
         {"build/d.txt", "keep.log"},
         0,
         "2 left out by ignore files"},
        {"in a folder above the named one",
         false,
         {{".ignore", "secret.txt\n"}, {"proj/secret.txt", "foo"}, {"proj/a.txt", "foo"}},
         {"proj"},
         {"proj/a.txt"},
         0,
         "1 left out by ignore files"},
        {"a named folder it leaves out",
         false,
         {{".ignore", "gen/\n"}, {"gen/a.md", "foo"}, {"b.md", "foo"}},
         {"gen"},
         {"gen/a.md"},
         0,
         "tarvelox: 1 of 1 file changed, 1 replacement, 0 failed\n"},
        {"a folder named .ignore",
         false,
         {{"a.txt", "foo"}, {"sub/.ignore", ""}, {"sub/b.txt", "foo"}},
         {"."},
         {},
         2,
         "tarvelox: case/sub/.ignore: cannot be read (Is a directory); --no-ignore runs without ignore files; "
         "nothing was changed\n"},
        {"a folder named .ignore, with --no-ignore",
         false,
         {{"a.txt", "foo"}, {"sub/.ignore", ""}, {"sub/b.txt", "foo"}},
         {"--no-ignore", "."},
         {"a.txt", "sub/b.txt"},
         0,
         "2 of 2 files changed"},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string root = "case" + std::to_string(++number);
        MakeFolder(Work(root));
        if (c.git)
            ASSERT_EQ(std::system(("git init -q " + Work(root)).c_str()), 0);
        for (const auto& [name, bytes] : c.files) {
            std::filesystem::create_directories(std::filesystem::path(Work(root + "/" + name)).parent_path());
            if (name.ends_with(".ignore") && bytes.empty())
                MakeFolder(Work(root + "/" + name));
            else
                WriteBytes(Work(root + "/" + name), bytes);
        }
        Arguments arguments = {"-E*.*", "-Ffoo", "-Rbar", "--no-undo"};
        for (const std::string& argument : c.arguments)
            arguments.push_back(argument.starts_with("-") ? argument : root + "/" + argument);
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, c.status) << outcome.err;
        std::string expectedErr = c.err;
        if (const std::size_t at = expectedErr.find("case/"); at != std::string::npos)
            expectedErr.replace(at, 5, root + "/");
        EXPECT_NE(outcome.err.find(expectedErr), std::string::npos) << outcome.err;
        std::vector<std::string> changed;
        for (const auto& [name, bytes] : c.files)
            if (bytes == "foo" && ReadBytes(Work(root + "/" + name)) != "foo")
                changed.push_back(name);
        EXPECT_EQ(changed, c.changed);
    }
}

// The user's git configuration shapes a git working tree's rules, never those of .ignore
// files: outside a working tree the global excludes file leaves nothing out and case
// counts. The rules' scratch folder in $TMPDIR goes at the end.
TEST_F(NativeCommandTest, DotIgnoreRulesAreTheirOwn)
{
    TempFolder home, temporary;
    MakeFolder(home / "config");
    MakeFolder(home / "config/git");
    WriteBytes(home / ".gitconfig", "[core]\n\texcludesFile = ~/excludes\n\tignoreCase = true\n");
    WriteBytes(home / "excludes", "*.txt\n");
    WriteBytes(home / "config/git/ignore", "*.md\n");
    const ScopedVariable homeVariable("HOME", home.Path());
    const ScopedVariable configVariable("XDG_CONFIG_HOME", home / "config");
    const ScopedVariable temporaryVariable("TMPDIR", temporary.Path());
    MakeFolder(Work("p"));
    for (const char* name : {"p/a.txt", "p/b.md", "p/c.log", "p/d.LOG"})
        WriteBytes(Work(name), "foo");
    WriteBytes(Work("p/.ignore"), "*.LOG\n");

    const Outcome outcome = Run({"-E*.*", "-Ffoo", "-Rbar", "--no-undo", "p"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    for (const char* name : {"p/a.txt", "p/b.md", "p/c.log"})
        EXPECT_EQ(ReadBytes(Work(name)), "bar") << name;
    EXPECT_EQ(ReadBytes(Work("p/d.LOG")), "foo");
    EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
}

// A .ignore the user may not read refuses the run, named.
TEST_F(NativeCommandTest, AnUnreadableDotIgnoreRefusesTheRun)
{
    MakeFolder(Work("p"));
    WriteBytes(Work("p/a.txt"), "foo");
    WriteBytes(Work("p/.ignore"), "a.txt\n");
    ::chmod(Work("p/.ignore").c_str(), 0);
    ::chmod(Work("p").c_str(), 0777);
    ::chmod(Work("p/a.txt").c_str(), 0666);
    const Outcome outcome = RunAsOrdinaryUser({"-Ffoo", "-Rbar", "--no-undo", "p"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "tarvelox: p/.ignore: cannot be read (Permission denied); --no-ignore runs without "
                           "ignore files; nothing was changed\n");
    EXPECT_EQ(ReadBytes(Work("p/a.txt")), "foo");
}
