#include "cli/IgnoreFileRules.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/Folders.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TestFiles.h"

namespace {

std::string Resolved(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? resolved : path;
}

// Writes `files` (a name ending in "/" is a folder) under `root`, its folders first.
void MakeTree(const std::string& root, const std::map<std::string, std::string>& files)
{
    for (const auto& [name, bytes] : files) {
        for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1))
            ::mkdir((root + "/" + name.substr(0, slash)).c_str(), 0755);
        if (!name.ends_with('/'))
            WriteBytes(root + "/" + name, bytes);
    }
}

const char* Name(IgnoreVerdict verdict)
{
    switch (verdict) {
    case IgnoreVerdict::NoRule:
        return "no rule";
    case IgnoreVerdict::LeftOut:
        return "left out";
    case IgnoreVerdict::TakenBack:
        return "taken back";
    }
    return "?";
}

// What the rules say of `entry` (a folder when it ends in "/"), its folder read as a walk
// reads it when it gets there.
std::string Verdict(IgnoreFileRules& rules, const std::string& root, std::string entry)
{
    const bool folder = entry.ends_with('/');
    if (folder)
        entry.pop_back();
    const std::size_t slash = entry.find_last_of('/');
    rules.ReadFolder(slash == std::string::npos ? root : root + "/" + entry.substr(0, slash));
    return Name(rules.Judge(root + "/" + entry, folder));
}

}  // namespace

// Each folder's .ignore holds for that folder and below, as .gitignore's syntax says; a
// later (deeper) rule wins; a folder's own name is never read as a pattern.
TEST(IgnoreFileRulesTest, RulesHoldFromTheirFolder)
{
    const struct {
        const char* what;
        std::map<std::string, std::string> files;
        std::vector<std::pair<std::string, std::string>> verdicts;
    } cases[] = {
        {"at any depth",
         {{".ignore", "*.log\n"}, {"sub/x", ""}},
         {{"a.log", "left out"}, {"sub/b.log", "left out"}, {"a.txt", "no rule"}, {"sub/", "no rule"}}},
        {"anchored with a slash, in a subfolder",
         {{"sub/.ignore", "/x\ny\nd/z\n"}, {"sub/deep/d/q", ""}},
         {{"sub/x", "left out"},
          {"sub/deep/x", "no rule"},
          {"x", "no rule"},
          {"sub/deep/y", "left out"},
          {"y", "no rule"},
          {"sub/d/z", "left out"},
          {"sub/deep/d/z", "no rule"}}},
        {"folders only",
         {{".ignore", "build/\n"}, {"sub/x", ""}},
         {{"build/", "left out"}, {"sub/build/", "left out"}, {"build", "no rule"}, {"sub/build", "no rule"}}},
        {"taken back",
         {{".ignore", "*.txt\n!keep.txt\n!/only/\n"}, {"only/x", ""}},
         {{"a.txt", "left out"}, {"keep.txt", "taken back"}, {"a.md", "no rule"}, {"only/", "taken back"}}},
        {"a deeper file wins",
         {{".ignore", "*.txt\n!x.md\n"}, {"sub/.ignore", "!a.txt\n*.md\n"}},
         {{"sub/a.txt", "taken back"}, {"a.txt", "left out"}, {"sub/b.txt", "left out"}, {"sub/x.md", "left out"},
          {"x.md", "taken back"}}},
        {"pattern characters in folder names",
         {{"we[ir]d*/.ignore", "x\n"}, {"weid/x", ""}, {"#a!b\\c/.ignore", "/y\n"}, {"[!z]/.ignore", "*\n"}, {"q/x", ""}},
         {{"we[ir]d*/x", "left out"}, {"weid/x", "no rule"}, {"#a!b\\c/y", "left out"}, {"[!z]/q", "left out"},
          {"q/x", "no rule"}}},
        {"comments, blanks, trailing spaces, CRLF, escapes",
         {{".ignore", "\xEF\xBB\xBF# c\n\n   \n!\n/\nfoo  \r\nbar\\ \n\\#h\n\\!e\n"}},
         {{"foo", "left out"}, {"bar ", "left out"}, {"bar", "no rule"}, {"# c", "no rule"}, {"#h", "left out"},
          {"!e", "left out"}, {"x", "no rule"}}},
        {"a folder named .git is a name like another",
         {{".ignore", "*.txt\n"}, {".git/x", ""}},
         {{".git/a.txt", "left out"}, {".git/a.md", "no rule"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string root = Resolved(folder.Path());
        MakeTree(root, c.files);
        IgnoreFileRules rules;
        for (const auto& [entry, expected] : c.verdicts)
            EXPECT_EQ(Verdict(rules, root, entry), expected) << entry;
        EXPECT_TRUE(rules.Problems().empty());
    }
}

// A .ignore that is there and cannot be read is named, with why; a link to nothing is no file.
TEST(IgnoreFileRulesTest, AnUnreadableFileIsAProblem)
{
    TempFolder folder;
    const std::string root = Resolved(folder.Path());
    MakeTree(root, {{"dir/.ignore/", ""}, {"pipe/", ""}, {"gone/", ""}});
    ASSERT_EQ(::mkfifo((root + "/pipe/.ignore").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("nowhere", (root + "/gone/.ignore").c_str()), 0);
    IgnoreFileRules rules;
    for (const char* sub : {"/dir", "/pipe", "/gone"})
        rules.ReadFolder(root + sub);
    ASSERT_EQ(rules.Problems().size(), 2u);
    EXPECT_EQ(rules.Problems()[0].Path, root + "/dir/.ignore");
    EXPECT_EQ(rules.Problems()[0].Reason, "cannot be read (Is a directory)");
    EXPECT_EQ(rules.Problems()[1].Path, root + "/pipe/.ignore");
    EXPECT_EQ(rules.Problems()[1].Reason, "cannot be read (not a regular file)");
}

// The rules' scratch repositories are made in a private folder of $TMPDIR, which goes as
// soon as they are open: the rules hold without it, and a walk killed leaves nothing behind.
TEST(IgnoreFileRulesTest, TheScratchFolderGoesAtOnce)
{
    TempFolder folder, temporary;
    const std::string root = Resolved(folder.Path());
    MakeTree(root, {{".ignore", "x\n!y\n"}, {"sub/.ignore", "z\n"}});
    const ScopedVariable temporaryVariable("TMPDIR", temporary.Path());
    std::vector<platform::FolderEntry> left;
    {
        IgnoreFileRules rules;
        rules.ReadFolder(root);
        ASSERT_TRUE(platform::ListFolder(temporary.Path(), left));
        rules.ReadFolder(root + "/sub");
        EXPECT_EQ(rules.Judge(root + "/x", false), IgnoreVerdict::LeftOut);
        EXPECT_EQ(rules.Judge(root + "/sub/y", false), IgnoreVerdict::TakenBack);
        EXPECT_EQ(rules.Judge(root + "/sub/z", false), IgnoreVerdict::LeftOut);
        EXPECT_TRUE(rules.Problems().empty());
    }
    EXPECT_TRUE(left.empty());
}
