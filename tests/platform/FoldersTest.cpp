#include "platform/Folders.h"
#include "platform/FullPath.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using platform::EntryKind;

const std::string S(1, platform::PathSeparator);

// Works in a fresh folder as the current directory and goes back afterwards.
class FoldersTest : public testing::Test {
protected:
    void SetUp() override
    {
        before_ = platform::CurrentDirectory();
        ASSERT_TRUE(platform::ChangeCurrentDirectory(folder_.Path()));
        stored_ = platform::ResolveStoredPath(folder_.Path()).Text;
        ASSERT_FALSE(stored_.empty());
    }
    void TearDown() override { platform::ChangeCurrentDirectory(before_); }

    TempFolder folder_;
    std::string before_;
    std::string stored_;  // the folder as the file system stores its name
};

TEST_F(FoldersTest, ListsEveryEntryWithItsKind)
{
    MakeFolder(folder_ / "Sub");
    WriteBytes(folder_ / ".hidden", "");
    WriteBytes(folder_ / "a.txt", "");
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(folder_.Path(), entries));
    std::vector<std::pair<std::string, EntryKind>> found;
    for (const auto& entry : entries)
        found.emplace_back(entry.Name, entry.Kind);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::pair<std::string, EntryKind>>{
                         {".hidden", EntryKind::File}, {"Sub", EntryKind::Folder}, {"a.txt", EntryKind::File}}));
    EXPECT_FALSE(platform::ListFolder(folder_ / "missing", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(platform::KindOf(folder_ / "a.txt"), EntryKind::File);
    EXPECT_EQ(platform::KindOf(folder_ / "Sub"), EntryKind::Folder);
    EXPECT_EQ(platform::KindOf(folder_ / "missing"), EntryKind::Missing);
}

// However a path spells it, an entry is one; two entries are never one.
TEST_F(FoldersTest, AnEntryIsKnownByItsIdentityWhateverPathNamesIt)
{
    MakeFolder(folder_ / "Sub");
    WriteBytes(folder_ / "Sub" + S + "a.txt", "");
    WriteBytes(folder_ / "Sub" + S + "b.txt", "");
    const auto folder = platform::IdentityOf(folder_ / "Sub");
    ASSERT_TRUE(folder);
    for (const std::string& spelled : {"Sub" + S, "." + S + "Sub" + S + S, stored_ + S + "Sub" + S + "." + S})
        EXPECT_EQ(platform::IdentityOf(spelled), folder) << spelled;
#ifdef _WIN32
    EXPECT_EQ(platform::IdentityOf("SUB"), folder);
#else
    ASSERT_EQ(::symlink("Sub", (folder_ / "link").c_str()), 0);
    EXPECT_EQ(platform::IdentityOf("link"), folder);
#endif
    EXPECT_NE(platform::IdentityOf("Sub" + S + "a.txt"), folder);
    EXPECT_NE(platform::IdentityOf("Sub" + S + "a.txt"), platform::IdentityOf("Sub" + S + "b.txt"));
    EXPECT_EQ(platform::IdentityOf("missing"), std::nullopt);
}

#ifndef _WIN32
TEST_F(FoldersTest, LinkedFoldersAndPipesAreToldApart)
{
    MakeFolder(folder_ / "real");
    WriteBytes(folder_ / "file", "");
    ASSERT_EQ(::symlink("real", (folder_ / "toFolder").c_str()), 0);
    ASSERT_EQ(::symlink("file", (folder_ / "toFile").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0600), 0);
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(folder_.Path(), entries));
    for (const auto& entry : entries) {
        const EntryKind expected = entry.Name == "toFolder" ? EntryKind::FolderLink
                                   : entry.Name == "pipe"   ? EntryKind::Other
                                   : entry.Name == "real"   ? EntryKind::Folder
                                                            : EntryKind::File;
        EXPECT_EQ(entry.Kind, expected) << entry.Name;
    }
    // Named by the user, a linked folder is a folder; a pipe is never a file to rewrite.
    EXPECT_EQ(platform::KindOf(folder_ / "toFolder"), EntryKind::Folder);
    EXPECT_EQ(platform::ResolveStoredPath("toFolder").Text, stored_ + "/toFolder");
    EXPECT_EQ(platform::ResolveStoredPath("pipe").Text, "");
}
#endif

TEST_F(FoldersTest, CommandLineNamesResolveToTheirStoredForm)
{
    MakeFolder(folder_ / "Sub");
    WriteBytes(folder_ / "Sub" + S + "File.Txt", "");
    WriteBytes(folder_ / "Sub" + S + "Other.Txt", "");
    WriteBytes(folder_ / "\x95\x5c.txt", "");
#ifdef _WIN32
    // The system's own first match: its listing's first.
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(folder_ / "Sub", entries));
    const std::string firstInSub = entries.front().Name;
#else
    // The first by name, whatever order the folder keeps: among enough names that the
    // folder's own order seldom starts with it.
    for (const char* name : {"g.Txt", "c.Txt", "z.Txt", "k.Txt", "m.Txt", "q.Txt"})
        WriteBytes(folder_ / "Sub" + S + name, "");
    const std::string firstInSub = "File.Txt";
#endif

    const struct {
        std::string name;
        std::string resolved;
    } cases[] = {
        {"Sub" + S + "File.Txt", stored_ + S + "Sub" + S + "File.Txt"},
        {"." + S + "Sub" + S + S + "File.Txt", stored_ + S + "Sub" + S + "File.Txt"},
        {stored_ + S + "Sub", stored_ + S + "Sub"},
        {"Sub" + S + "*.Txt", stored_ + S + "Sub" + S + firstInSub},
        {"Sub" + S + "O*", stored_ + S + "Sub" + S + "Other.Txt"},
        {"\x95\x5c.txt", stored_ + S + "\x95\x5c.txt"},
        {"Sub" + S + "missing.txt", ""},
        {"missing" + S + "File.Txt", ""},
        {"Sub" + S + "x*", ""},
        {"", ""},
#ifdef _WIN32
        {"sub\\FILE.TXT", stored_ + "\\Sub\\File.Txt"},
        {"SUB\\..\\sub\\file.txt", stored_ + "\\Sub\\File.Txt"},
#else
        {"sub/File.Txt", ""},
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ResolveStoredPath(c.name), platform::SystemName{c.resolved}) << c.name;
}

TEST_F(FoldersTest, AbsolutePathsAreTakenAgainstTheCurrentDirectoryNow)
{
    const std::string current = platform::CurrentDirectory();
    EXPECT_EQ(platform::AbsolutePath("a.txt"), platform::JoinPath(current, "a.txt"));
    EXPECT_EQ(platform::AbsolutePath(folder_ / "x"), folder_ / "x");
    EXPECT_EQ(platform::JoinPath(S, "a"), S + "a");
    EXPECT_EQ(platform::JoinPath("\x95\x5c", "a"), "\x95\x5c" + S + "a");
}

}  // namespace

TEST(FolderPartOf, EndsAtTheLastSeparatorThatStartsACharacter)
{
    using platform::FolderPartOf;
    const std::string sep(1, platform::PathSeparator);
    EXPECT_EQ(FolderPartOf("a" + sep + "b" + sep + "c.lst"), "a" + sep + "b" + sep);
    EXPECT_EQ(FolderPartOf("c.lst"), "");
    EXPECT_EQ(FolderPartOf(sep), sep);
    // 表 is 0x95 0x5C: its second byte is no separator, whatever the platform writes.
    EXPECT_EQ(FolderPartOf("d" + sep + "\x95\x5C.lst"), "d" + sep);
}
