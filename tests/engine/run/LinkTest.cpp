// Symbolic and hard links, owners and permission bits of rewritten files (POSIX).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/rewrite/ReplaceInFile.h"
#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/support/RunInFolder.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TestFiles.h"

namespace {

class LinkTest : public RunInFolderTest {
protected:
    void SetUp() override
    {
        RunInFolderTest::SetUp();
        job.Pattern = {"old", "new", 0};
        job.Patterns = {{"old", "mid", 0}, {"mid", "new", 0}};
        job.BackUp = true;
    }

    static std::string LinkText(const std::string& path)
    {
        std::error_code error;
        return std::filesystem::read_symlink(path, error).string();
    }
};

}  // namespace

TEST_F(LinkTest, FileBehindASymbolicLinkIsRewrittenAndTheLinkStays)
{
    MakeFolder("real");
    for (const bool allAuto : {false, true}) {
        SCOPED_TRACE(allAuto);
        job.AllAuto = allAuto;
        WriteBytes("real/a.txt", "old text");
        WriteBytes("real/b.txt", "old text");
        WriteBytes("real/c.txt", "nothing to do");
        for (const char* link : {"a-link.txt", "b-link.txt", "chain.txt", "c-link.txt"})
            std::filesystem::remove(link);
        std::filesystem::remove("real/c.txt.bak");
        ASSERT_EQ(::symlink("real/a.txt", "a-link.txt"), 0);
        ASSERT_EQ(::symlink((folder / "real/b.txt").c_str(), "b-link.txt"), 0);
        ASSERT_EQ(::symlink("b-link.txt", "chain.txt"), 0);
        ASSERT_EQ(::symlink("real/c.txt", "c-link.txt"), 0);
        job.Files = {"a-link.txt", "chain.txt", "c-link.txt"};

        // The log names each file as it was listed.
        const char* count = allAuto ? "       2" : "       1";
        EXPECT_EQ(Run(), ExpectedLogHeader + ExpectedLogLine("a-link.txt", count) + ExpectedLogLine("chain.txt", count) +
                             ExpectedLogLine("c-link.txt", "       0") +
                             ExpectedLogTotals(allAuto ? "          4" : "          2"));
        EXPECT_EQ(LinkText("a-link.txt"), "real/a.txt");
        EXPECT_EQ(LinkText("b-link.txt"), folder / "real/b.txt");
        EXPECT_EQ(LinkText("chain.txt"), "b-link.txt");
        EXPECT_EQ(ReadBytes("real/a.txt"), "new text");
        EXPECT_EQ(ReadBytes("real/b.txt"), "new text");
        // Temporary file and backup lie beside the file itself.
        EXPECT_EQ(ReadBytes("real/a.txt.bak"), "old text");
        EXPECT_EQ(ReadBytes("real/b.txt.bak"), "old text");
        EXPECT_FALSE(FileExists("a-link.txt.bak"));
        EXPECT_FALSE(FileExists("a-link.txt.tarvelox.tmp"));
        EXPECT_FALSE(FileExists("real/a.txt.tarvelox.tmp"));
        // A full-automatic run keeps a backup of a file nothing changed, beside the file too.
        EXPECT_EQ(FileExists("real/c.txt.bak"), allAuto);
        EXPECT_FALSE(FileExists("c-link.txt.bak"));
        EXPECT_EQ(LinkText("c-link.txt"), "real/c.txt");
    }
}

// A walked folder lists a link beside the file it leads to: the file is rewritten once,
// whichever name comes first, and its backup holds the content from before the run.
TEST_F(LinkTest, LinkBesideItsFileInOneRunRewritesTheFileOnce)
{
    for (const bool linkFirst : {true, false}) {
        SCOPED_TRACE(linkFirst);
        job.AllAuto = true;
        WriteBytes("page0.htm", "old text");
        std::filesystem::remove("link.htm");
        ASSERT_EQ(::symlink("page0.htm", "link.htm"), 0);
        job.Files = linkFirst ? std::vector<std::string>{"link.htm", "page0.htm"}
                              : std::vector<std::string>{"page0.htm", "link.htm"};

        EXPECT_EQ(Run(), ExpectedLogHeader + ExpectedLogLine(job.Files[0], "       2") +
                             ExpectedLogLine(job.Files[1], "       0") + ExpectedLogTotals("          2"));
        EXPECT_EQ(ReadBytes("page0.htm"), "new text");
        EXPECT_EQ(ReadBytes("page0.htm.bak"), "old text");
        EXPECT_EQ(LinkText("link.htm"), "page0.htm");
        EXPECT_FALSE(FileExists("link.htm.bak"));
    }
}

TEST_F(LinkTest, DanglingLinkIsNotOpenAndStaysAsItWas)
{
    ASSERT_EQ(::symlink("nowhere.txt", "dangling.txt"), 0);
    job.Files = {"dangling.txt"};

    EXPECT_EQ(Run(), ExpectedLogHeader + ExpectedLogLine("dangling.txt", " NotOpen") + ExpectedLogTotals("          0"));
    EXPECT_EQ(LinkText("dangling.txt"), "nowhere.txt");
    EXPECT_FALSE(FileExists("nowhere.txt"));
    EXPECT_FALSE(FileExists("dangling.txt.tarvelox.tmp"));
}

TEST_F(LinkTest, LinkGivenStraightToTheRewriteOfOneFileLeadsToTheFileBehindIt)
{
    WriteBytes("a.txt", "old text");
    ASSERT_EQ(::symlink("a.txt", "link.txt"), 0);

    EXPECT_EQ(ReplaceInFile(job, "link.txt", job.Pattern), 1);
    EXPECT_EQ(LinkText("link.txt"), "a.txt");
    EXPECT_EQ(ReadBytes("a.txt"), "new text");
    EXPECT_EQ(ReadBytes("a.txt.bak"), "old text");
    EXPECT_FALSE(FileExists("link.txt.tarvelox.tmp"));
    EXPECT_FALSE(FileExists("link.txt.bak"));
}

// A file with two names is two files after a rewrite through one of them: the rewrite
// writes a new file under the listed name, and the other name keeps the old content.
TEST_F(LinkTest, HardLinkedFileGetsANewFileUnderTheListedName)
{
    WriteBytes("a.txt", "old text");
    ASSERT_EQ(::link("a.txt", "second-name.txt"), 0);
    job.Files = {"a.txt"};

    Run();

    EXPECT_EQ(ReadBytes("a.txt"), "new text");
    EXPECT_EQ(ReadBytes("second-name.txt"), "old text");
    EXPECT_EQ(ReadBytes("a.txt.bak"), "old text");
    struct stat rewritten;
    ASSERT_EQ(::stat("a.txt", &rewritten), 0);
    EXPECT_EQ(rewritten.st_nlink, 1u);
}

TEST_F(LinkTest, RewrittenFileKeepsOwnerGroupAndBits)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another owner";
    WriteBytes("a.txt", "old text");
    ASSERT_EQ(::chown("a.txt", NobodyId, NobodyId), 0);
    ASSERT_EQ(::chmod("a.txt", 0640), 0);
    job.Files = {"a.txt"};

    Run();

    EXPECT_EQ(ReadBytes("a.txt"), "new text");
    struct stat rewritten;
    ASSERT_EQ(::stat("a.txt", &rewritten), 0);
    EXPECT_EQ(rewritten.st_uid, NobodyId);
    EXPECT_EQ(rewritten.st_gid, NobodyId);
    EXPECT_EQ(rewritten.st_mode & 07777, 0640u);
}
