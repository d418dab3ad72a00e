// What an undo gives back besides the bytes (POSIX): the permission bits, the owner, the
// extended attributes with the access control list, the time, the file itself, its other
// names; from a second name in the journal and from a copy on another file system.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/engine/undo/UndoSupport.h"

namespace {

constexpr uid_t Nobody = 65534;

struct Attributes {
    std::string Bytes;
    mode_t Mode;
    uid_t Owner;
    gid_t Group;
    struct timespec Modified;
    ino_t Inode;
    nlink_t Links;
    std::string Acl;
    std::string Tag;

    bool operator==(const Attributes& other) const
    {
        return Bytes == other.Bytes && Mode == other.Mode && Owner == other.Owner && Group == other.Group &&
               Modified.tv_sec == other.Modified.tv_sec && Modified.tv_nsec == other.Modified.tv_nsec &&
               Acl == other.Acl && Tag == other.Tag;
    }
};

std::string Attribute(const std::string& path, const char* name)
{
    char value[256];
    const ssize_t size = ::lgetxattr(path.c_str(), name, value, sizeof value);
    return size < 0 ? std::string() : std::string(value, static_cast<std::size_t>(size));
}

Attributes AttributesOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return {ReadBytes(path), info.st_mode, info.st_uid, info.st_gid, info.st_mtim, info.st_ino, info.st_nlink,
            Attribute(path, "system.posix_acl_access"), Attribute(path, "user.tag")};
}

// Bits, owner, an access control list with a named user, a tag, and a time of its own.
void Decorate(const std::string& path)
{
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody), 0);
    }
    ASSERT_EQ(std::system(("setfacl -m u:nobody:r,m:rw '" + path + "'").c_str()), 0);
    ASSERT_EQ(::setxattr(path.c_str(), "user.tag", "kept", 4, 0), 0);
    const struct timespec times[2] = {{1000000000, 5}, {1200000000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class UndoAttributesTest : public UndoTest {
protected:
    void SetUp() override
    {
        UndoTest::SetUp();
        job.Pattern = {"old", "newer", 0};
        job.Files = {"a.txt"};
    }

    // The journal beside the file (a second name), and on another file system when the
    // machine has one in memory (a copy).
    std::vector<std::string> JournalPlaces() const
    {
        std::vector<std::string> places = {Runs()};
        struct stat here {}, memory {};
        if (::stat("/dev/shm", &memory) == 0 && ::stat(folder.Path().c_str(), &here) == 0 &&
            here.st_dev != memory.st_dev)
            places.push_back("/dev/shm/tarvelox-undo-test-" + std::to_string(::getpid()));
        return places;
    }
};

}  // namespace

TEST_F(UndoAttributesTest, TheOriginalComesBackWithEverythingItHad)
{
    for (const std::string& runs : JournalPlaces()) {
        SCOPED_TRACE(runs);
        WriteBytes("a.txt", "old text\n");
        Decorate("a.txt");
        std::filesystem::remove("a-second-name.txt");
        ASSERT_EQ(::link("a.txt", "a-second-name.txt"), 0);
        const Attributes before = AttributesOf("a.txt");
        ASSERT_FALSE(before.Acl.empty());

        const RunFolder run = RunWithJournal(runs);
        const Attributes rewritten = AttributesOf("a.txt");
        EXPECT_EQ(rewritten.Bytes, "newer text\n");
        EXPECT_NE(rewritten.Inode, before.Inode);
        EXPECT_EQ(ReadRun(run)->Entries.at(0).How, runs == Runs() ? KeptAs::Link : KeptAs::Copy);

        Undo(run);
        EXPECT_EQ(outcome, UndoOutcome::Completed);
        const Attributes after = AttributesOf("a.txt");
        EXPECT_EQ(after, before);
        if (runs == Runs()) {
            // The file itself, with its other name.
            EXPECT_EQ(after.Inode, before.Inode);
            EXPECT_EQ(after.Links, 2u);
        }
        EXPECT_EQ(ReadBytes("a-second-name.txt"), "old text\n");
        std::filesystem::remove_all(runs);
    }
}

// A file that became a link to the file the run wrote is no longer what the run wrote.
TEST_F(UndoAttributesTest, ALinkInThePlaceOfTheFileIsLeftAlone)
{
    WriteBytes("a.txt", "old text\n");
    const RunFolder run = RunWithJournal();
    std::filesystem::rename("a.txt", "b.txt");
    std::filesystem::create_symlink("b.txt", "a.txt");
    EXPECT_EQ(Undo(run), std::vector<std::string>{"a.txt=Changed"});
    EXPECT_TRUE(std::filesystem::is_symlink("a.txt"));
    EXPECT_EQ(ReadBytes("b.txt"), "newer text\n");
}

// Access the user changed since the run (closed to others, given to another group) is
// theirs: the file stays as it is, from a second name and from a copy alike.
TEST_F(UndoAttributesTest, AFileWhoseAccessChangedSinceIsLeftAlone)
{
    for (const std::string& runs : JournalPlaces()) {
        SCOPED_TRACE(runs);
        WriteBytes("a.txt", "old text\n");
        ASSERT_EQ(::chmod("a.txt", 0644), 0);
        const RunFolder run = RunWithJournal(runs);
        ASSERT_EQ(::chmod("a.txt", 0600), 0);
        EXPECT_EQ(Undo(run), std::vector<std::string>{"a.txt=Changed"});
        EXPECT_EQ(ReadBytes("a.txt"), "newer text\n");
        struct stat info {};
        ASSERT_EQ(::stat("a.txt", &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
        std::filesystem::remove_all(runs);
    }
}
