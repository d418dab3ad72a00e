#include "app/FileList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/FileBatches.h"
#include "app/OpenEntries.h"
#include "app/PlainFileList.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/FileSystemFaults.h"
#endif

namespace {

using Paths = std::vector<std::string>;

TEST(ExtensionList, BuildsAndChecks)
{
    const struct {
        const char* text;
        ExtensionList built;
        Paths passing;
        Paths refused;
    } cases[] = {
        {"*.bat;*.cgi;*.css;*.htm;*.html;*.js;*.log;*.pl;*.shtml;*.txt",
         {"bat", "cgi", "css", "htm", "html", "js", "log", "pl", "shtml", "txt"},
         {"C:\\a\\b.TXT", "x.Html", "y.pl"},
         {"a.text", "a.tx", "readme", "a.txt.bak", "a.h"}},
        {"*.*", {"*"}, {"readme", "a.b", "x."}, {}},
        {"*", {"*"}, {"a.txt", "readme"}, {}},
        {" *\t;noext", {"*"}, {"a.txt", "readme"}, {}},
        {"*.t*", {"t*"}, {"a.t*", "a.T*"}, {"a.txt", "a.t"}},
        {"*.;;*.TXT;", {"", "txt"}, {"readme", "a.", "a.txt", "C:\\a.b\\readme.txt"}, {"C:\\a.b\\readme"}},
        {"", {}, {}, {"a.txt"}},
        // Blanks around the patterns, as a hand-edited settings file has them.
        {"*.txt ; *.htm\t", {"txt", "htm"}, {"a.txt", "b.htm"}, {"a.txt "}},
        // And full-width blanks (U+3000), as a Japanese input method types them; a character
        // that merely ends in the bytes 81 40 is no blank.
        {"*.txt\x81\x40;\x81\x40*.htm", {"txt", "htm"}, {"a.txt", "b.htm"}, {}},
        {"*.\x83\x81\x40", {"\x83\x81\x40"}, {"a.\x83\x81\x40"}, {"a.\x83"}},
        {"A.B.C;noext;\x83\x41.\x83\x41", {"c", "\x83\x41"}, {"x.C", "x.\x83\x41"}, {"x.\x83\x61", "x.b"}},
    };
    for (const auto& c : cases) {
        const ExtensionList extensions = BuildExtensionList(c.text);
        EXPECT_EQ(extensions, c.built) << c.text;
        for (const std::string& path : c.passing)
            EXPECT_TRUE(PassesExtensionCheck(extensions, path)) << c.text << " " << path;
        for (const std::string& path : c.refused)
            EXPECT_FALSE(PassesExtensionCheck(extensions, path)) << c.text << " " << path;
    }
}

// Measures each entry as 7 pixels a byte and keeps what the rules tell the control.
class RecordingList : public PlainFileList {
public:
    int TextWidth(const std::string& path) const override { return static_cast<int>(path.size()) * 7; }
    void SetHorizontalExtent(int pixels) override { extent = pixels; }
    void CountChanged(std::size_t count) override { counts.push_back(count); }
    void SetRangeSelected(std::size_t first, std::size_t last, bool selected) override
    {
        ++rangeCalls;
        PlainFileList::SetRangeSelected(first, last, selected);
    }

    std::vector<std::size_t> Selection() const
    {
        std::vector<std::size_t> selected;
        for (std::size_t i = 0; i < Count(); ++i)
            if (IsSelected(i))
                selected.push_back(i);
        return selected;
    }
    void Select(std::initializer_list<std::size_t> indexes)
    {
        for (std::size_t i : indexes)
            PlainFileList::SetRangeSelected(i, i, true);
    }

    int extent = -1;
    std::vector<std::size_t> counts;
    int rangeCalls = 0;
};

using Selection = std::vector<std::size_t>;

class FileListTest : public testing::Test {
protected:
    FileListTest() { list_.BuildExtensionList("*.txt"); }

    std::string Make(const std::string& name, const std::string& content = "x")
    {
        const std::string path = folder_ / name;
        WriteBytes(path, content);
        return path;
    }
    void AddNames(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            list_.AddFile(name);
        list_.EndBatch();
    }

    TempFolder folder_;
    RecordingList control_;
    FileList list_{control_};
};

TEST_F(FileListTest, DuplicatesAreCheckedInEveryBatchTheFirstToo)
{
    AddNames({"C:\\a.txt", "C:\\A.txt", "C:\\b.txt"});
    EXPECT_EQ(control_.Entries(), (Paths{"C:\\a.txt", "C:\\b.txt"}));
    EXPECT_EQ(control_.LastDuplicates(), "C:\\A.txt\n");

    AddNames({"c:\\A.TXT", "C:\\c.txt", "C:\\C.txt", "C:\\b.TXT"});
    EXPECT_EQ(control_.Entries(), (Paths{"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"}));
    EXPECT_EQ(control_.LastDuplicates(), "c:\\A.TXT\nC:\\C.txt\nC:\\b.TXT\n");
    EXPECT_EQ(control_.counts, (std::vector<std::size_t>{2, 3}));
}

TEST_F(FileListTest, EndOfBatchSelectsWhatItAdded)
{
    AddNames({});
    EXPECT_EQ(control_.Selection(), Selection{});
    EXPECT_EQ(control_.counts, (std::vector<std::size_t>{0}));

    AddNames({"1.txt", "2.txt"});
    EXPECT_EQ(control_.Selection(), (Selection{0, 1}));
    list_.DeselectAll();
    AddNames({"3.txt", "4.txt", "5.txt"});
    EXPECT_EQ(control_.Selection(), (Selection{2, 3, 4}));
    list_.DeselectAll();
    AddNames({"6.txt"});
    EXPECT_EQ(control_.Selection(), Selection{5});
    list_.DeselectAll();
    control_.Select({1});
    AddNames({"refused.dat", "6.TXT"});
    EXPECT_EQ(control_.Selection(), (Selection{1, 5}));
}

TEST_F(FileListTest, RemovalSelectsTheEntryThatTookThePlaceOfTheFirstRemoved)
{
    const struct {
        std::size_t entries;
        Selection selected;
        std::size_t top;
        Paths left;
        Selection selectedAfter;
        std::size_t topAfter;
    } cases[] = {
        {5, {2, 3}, 0, {"0.txt", "1.txt", "4.txt"}, {2}, 0},
        {5, {4}, 0, {"0.txt", "1.txt", "2.txt", "3.txt"}, {3}, 0},
        {5, {}, 3, {"0.txt", "1.txt", "2.txt", "3.txt", "4.txt"}, {0}, 0},
        {5, {0, 4}, 3, {"1.txt", "2.txt", "3.txt"}, {0}, 0},
        {5, {3, 4}, 1, {"0.txt", "1.txt", "2.txt"}, {2}, 1},
        {2, {0, 1}, 0, {}, {}, 0},
    };
    for (const auto& c : cases) {
        RecordingList control;
        FileList list(control);
        list.BuildExtensionList("*.txt");
        for (std::size_t i = 0; i < c.entries; ++i)
            list.AddFile(std::to_string(i) + ".txt");
        list.EndBatch();
        list.DeselectAll();
        for (std::size_t i : c.selected)
            control.Select({i});
        control.SetTopIndex(c.top);
        list.RemoveSelected();
        EXPECT_EQ(control.Entries(), c.left) << c.entries << " " << testing::PrintToString(c.selected);
        EXPECT_EQ(control.Selection(), c.selectedAfter) << testing::PrintToString(c.selected);
        EXPECT_EQ(control.TopIndex(), c.topAfter) << testing::PrintToString(c.selected);
        EXPECT_EQ(control.counts.back(), c.left.size());
        EXPECT_EQ(control.extent, c.left.empty() ? 5 : 5 * 7 + 5);
    }
}

TEST_F(FileListTest, AfterARemovalTheNextBatchChecksDuplicatesAgain)
{
    AddNames({"a.txt", "b.txt"});
    control_.Select({0, 1});
    list_.RemoveSelected();
    AddNames({"a.txt"});
    EXPECT_EQ(control_.Entries(), (Paths{"a.txt"}));
    AddNames({"A.txt"});
    EXPECT_EQ(control_.Entries(), (Paths{"a.txt"}));
    EXPECT_EQ(control_.LastDuplicates(), "A.txt\n");
}

TEST_F(FileListTest, WidestEntrySetsTheSidewaysRange)
{
    AddNames({"ab.txt", "a.txt", "abcd.txt"});
    EXPECT_EQ(control_.extent, 8 * 7 + 5);
}

TEST_F(FileListTest, SelectAllAndInvertUseOneRangePerRun)
{
    AddNames({"0.txt", "1.txt", "2.txt", "3.txt", "4.txt", "5.txt"});
    list_.DeselectAll();
    control_.Select({1, 2, 4});
    control_.rangeCalls = 0;
    list_.InvertSelection();
    EXPECT_EQ(control_.Selection(), (Selection{0, 3, 5}));
    EXPECT_EQ(control_.rangeCalls, 5);
    list_.SelectAll();
    EXPECT_EQ(control_.Selection(), (Selection{0, 1, 2, 3, 4, 5}));
    list_.InvertSelection();
    EXPECT_EQ(control_.Selection(), Selection{});
}

TEST_F(FileListTest, WalksTakeFilesHiddenOnesIncludedAndSubfoldersOnlyByTheRule)
{
    MakeFolder(folder_ / "sub");
    MakeFolder(folder_ / "sub.txt");
    const Paths top = {Make("a.txt"), Make(".hidden.txt"), Make("B.TXT")};
    Make("c.dat");
    const Paths inner = {Make(platform::JoinPath("sub", "d.txt")), Make(platform::JoinPath("sub.txt", "e.txt"))};

    list_.SetSubfolderRule(false);
    list_.WalkFolder(folder_.Path());
    list_.EndBatch();
    Paths found = control_.Entries();
    std::sort(found.begin(), found.end());
    Paths expected = top;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);

    RecordingList deep;
    FileList walking(deep);
    walking.BuildExtensionList("*.txt");
    walking.WalkFolder(folder_.Path());
    // Depth first, in the file system's order: each subfolder's one file stands where the
    // subfolder stands among the folder's entries.
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(folder_.Path(), entries));
    Paths order;
    for (const platform::FolderEntry& entry : entries) {
        const std::string path = folder_ / entry.Name;
        if (entry.Kind == platform::EntryKind::Folder)
            order.push_back(platform::JoinPath(path, entry.Name == "sub" ? "d.txt" : "e.txt"));
        else if (entry.Name != "c.dat")
            order.push_back(path);
    }
    EXPECT_EQ(deep.Entries(), order);
    EXPECT_EQ(order.size(), top.size() + inner.size());
    EXPECT_EQ(platform::JoinPath(folder_.Path() + platform::PathSeparator, "a.txt"), top[0]);
}

// What runs leave and keep is never a file of the user's: the temporary file a stopped run
// left, and the folder the undo journal keeps the originals in, are left out of walks, the
// folder however its path is spelled (a trailing separator in $XDG_STATE_HOME) and though
// it was made after it was named.
TEST_F(FileListTest, WalksLeaveOutWhatRunsMakeAndKeep)
{
    const std::string sep(1, platform::PathSeparator);
    list_.SetOwnFolder(folder_ / "state" + sep + "." + sep + "runs" + sep);
    MakeFolder(folder_ / "state");
    MakeFolder(platform::JoinPath(folder_ / "state", "runs"));
    const std::string kept = Make(platform::JoinPath(platform::JoinPath("state", "runs"), "original.txt"));
    const std::string mine = Make("a.txt");
    const std::string left = Make("a.txt.tarvelox.tmp");
    list_.BuildExtensionList("*.*");
    list_.WalkFolder(folder_.Path());
    list_.EndBatch();
    EXPECT_EQ(control_.Entries(), Paths{mine});
    EXPECT_EQ(list_.MadeByRuns(), std::vector<std::string>{left});
    EXPECT_TRUE(FileExists(kept));
}

TEST_F(FileListTest, FileNameListsSkipMissingNamesWalkFoldersAndFixRelativeLines)
{
    MakeFolder(folder_ / "dir");
    const std::string inDir = Make(platform::JoinPath("dir", "in.txt"));
    const std::string relative = Make("rel.txt");
    const std::string absolute = Make("abs.dat");
    const std::string list = Make("names.lst", "missing.txt\r\n" + absolute + "\r\n\r\nrel.txt\n" + folder_ / "dir" +
                                                   "\r\n\x1a" + folder_ / "after.txt\r\n");
    Make("after.txt");
    const std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectory(folder_.Path()));
    list_.ReadFileNameList(list);
    platform::ChangeCurrentDirectory(before);
    list_.EndBatch();
    // The extension check still applies to the names of a list.
    EXPECT_EQ(control_.Entries(), (Paths{relative, inDir}));

    RecordingList unreadable;
    FileList none(unreadable);
    none.ReadFileNameList(folder_ / "nothing.lst");
    EXPECT_EQ(unreadable.Count(), 0u);
}

TEST_F(FileListTest, CommandLineBatch)
{
    const std::string a = Make("a.txt");
    const std::string b = Make("b.txt");
    const std::string dat = Make("c.dat");
    Make("@names.txt", "a.txt\r\n");
    Make("names.txt", "c.dat\r\nb.txt\r\n");
    const struct {
        Paths arguments;
        BatchKeys keys;
        Paths entries;
    } cases[] = {
        // The same file named twice is listed once, the first batch too.
        {{a, "a.txt", "missing.txt", dat}, {}, {a}},
        {{dat, a}, {.Shift = true}, {dat, a}},
        {{"@names.txt", "@missing.txt"}, {}, {b}},
        {{"@names.txt"}, {.Shift = true}, {dat, b}},
        // Ctrl reads the first argument as a list, "@" included, and nothing else.
        {{"@names.txt", b}, {.Ctrl = true}, {a}},
        {{"names.txt", a}, {.Ctrl = true}, {b}},
        {{}, {}, {}},
    };
    const std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectory(folder_.Path()));
    for (const auto& c : cases) {
        RecordingList control;
        FileList files(control);
        files.BuildExtensionList("*.txt");
        AddCommandLineFiles(files, c.arguments, c.keys);
        EXPECT_EQ(control.Entries(), c.entries) << testing::PrintToString(c.arguments);
        EXPECT_EQ(control.counts, std::vector<std::size_t>{c.entries.size()});
        // The check is on again after the batch.
        files.AddFile(dat);
        EXPECT_EQ(control.Count(), c.entries.size());
    }
    platform::ChangeCurrentDirectory(before);
}

// Every name of the user's that adds nothing is kept with its reason, for automatic runs
// to tell; files refused by their extension are not among them.
TEST_F(FileListTest, NamesThatAddNothingArePassedOverWithTheirReason)
{
    const std::string a = Make("a.txt");
    MakeFolder(folder_ / "d");
    const std::string inDir = Make(platform::JoinPath("d", "b.txt"));
    Make("c.dat");
    Make("names", "gone.txt\r\nc.dat\r\n");
    using enum PassedOverReason;
    std::vector<std::string> arguments = {"a.txt", "missing.txt", "d", "c.dat", "@nolist", "@names"};
    std::vector<PassedOverName> expected = {
        {"missing.txt", NotFound},
        {"nolist", UnreadableNameList},
        {folder_ / "gone.txt", NotFound},
    };
#ifndef _WIN32
    ASSERT_EQ(::symlink("nowhere.txt", (folder_ / "d/link.txt").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder_ / "pipe.txt").c_str(), 0600), 0);
    expected.insert(expected.begin() + 1, {folder_ / "d/link.txt", LinkToNothing});
    arguments.push_back("pipe.txt");
    expected.push_back({"pipe.txt", NotFileOrFolder});
    // Named, a link that leads nowhere is told as one too, not as a name of nothing.
    ASSERT_EQ(::symlink("nowhere.txt", (folder_ / "dangling.txt").c_str()), 0);
    arguments.push_back("dangling.txt");
    expected.push_back({"dangling.txt", LinkToNothing});
#endif
    const std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectory(folder_.Path()));

    AddCommandLineFiles(list_, arguments, {});

    platform::ChangeCurrentDirectory(before);
    EXPECT_EQ(control_.Entries(), (Paths{a, inDir}));
    EXPECT_EQ(list_.PassedOver(), expected);
}

#ifndef _WIN32
TEST_F(FileListTest, AFolderThatCannotBeReadIsPassedOver)
{
    MakeFolder(folder_ / "open");
    MakeFolder(folder_ / "closed");
    const std::string inDir = Make("open/a.txt");
    Make("closed/b.txt");
    ::chmod((folder_ / "closed").c_str(), 0);
    {
        const OrdinaryUser user(folder_.Path());
        AddDroppedItems(list_, {{folder_ / "open"}, {folder_ / "closed"}}, {});
    }
    ::chmod((folder_ / "closed").c_str(), 0700);
    EXPECT_EQ(control_.Entries(), Paths{inDir});
    EXPECT_EQ(list_.PassedOver(), (std::vector<PassedOverName>{{folder_ / "closed", PassedOverReason::UnreadableFolder}}));
}
#endif

TEST_F(FileListTest, AddDialogAndDropStartFromAnEmptySelection)
{
    const std::string a = Make("a.txt");
    const std::string dat = Make("b.dat");
    MakeFolder(folder_ / "dir");
    const std::string inDir = Make(platform::JoinPath("dir", "c.txt"));
    AddNames({"first.txt"});
    AddChosenFiles(list_, {dat, a}, {});
    EXPECT_EQ(control_.Entries(), (Paths{"first.txt", dat, a}));
    EXPECT_EQ(control_.Selection(), (Selection{1, 2}));

    AddDroppedItems(list_, {{folder_ / "dir"}, {dat}, {a}}, {});
    EXPECT_EQ(control_.Entries(), (Paths{"first.txt", dat, a, inDir}));
    EXPECT_EQ(control_.LastDuplicates(), a + "\n");
    EXPECT_EQ(control_.Selection(), Selection{3});
}

TEST(OpenEntries, EditorCommandLineAndFolder)
{
    const std::string s(1, platform::PathSeparator);
    const ProcessStart start = EditorStart("notepad.exe", "C:" + s + "\x95\x5c" + s + "a.txt");
    EXPECT_EQ(start.CommandLine, "\"notepad.exe\" \"C:" + s + "\x95\x5c" + s + "a.txt\"");
    EXPECT_EQ(start.WorkingFolder, "C:" + s + "\x95\x5c");
    EXPECT_EQ(FolderOfEntry("x\x95\x5c"), "");
    EXPECT_EQ(FolderOfEntry(s + "a"), "");

    PlainFileList control;
    for (int i = 0; i < 12; ++i)
        control.Append(std::to_string(i));
    control.SetRangeSelected(1, 10, true);
    EXPECT_EQ(EntriesToOpen(control), (Paths{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    control.SetRangeSelected(0, 0, true);
    EXPECT_EQ(EntriesToOpen(control), Paths{});
}

}  // namespace

// A walk never enters the folders of version control systems, nor takes git's .git file:
// a repository's insides, not the user's text. It counts each; named, such a folder is
// walked.
TEST_F(FileListTest, WalksNeverEnterRepositoryFolders)
{
    list_.BuildExtensionList("*.*");
    const std::string text = Make("a.txt");
    for (const char* repository : {".git", ".svn", ".hg", ".bzr", "CVS", "_darcs"}) {
        MakeFolder(folder_ / repository);
        Make(platform::JoinPath(repository, "COMMIT_EDITMSG.txt"));
    }
    MakeFolder(folder_ / "cvs.d");
    const std::string kept = Make(platform::JoinPath("cvs.d", "b.txt"));
    // A submodule's .git is a file that tells where its repository lies.
    MakeFolder(folder_ / "sub");
    Make(platform::JoinPath("sub", ".git"));

    list_.WalkFolder(folder_.Path());
    Paths found = control_.Entries();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Paths{text, kept}));
    EXPECT_EQ(list_.WalkEntriesLeftOut(WalkLeftOut::RepositoryFolder), 7u);

    list_.WalkFolder(folder_ / "CVS");
    EXPECT_EQ(control_.Entries().back(), folder_ / platform::JoinPath("CVS", "COMMIT_EDITMSG.txt"));
}
