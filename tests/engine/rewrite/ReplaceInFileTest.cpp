#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>

#include "engine/rewrite/FileCommit.h"
#include "engine/rewrite/ReplaceInFile.h"
#include "engine/rewrite/CommitObserver.h"
#include "engine/rewrite/TemporaryFileOutput.h"
#include "tests/support/TestFiles.h"
#ifndef _WIN32
#include "tests/support/FileSystemFaults.h"
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
// Memory that cannot be had must come back as a null pointer, as it does without the
// sanitizer, so that running out of memory can be tested.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}
#endif

namespace {

// A file of `size` bytes, `head` and then zeros, that takes almost no space on the disk,
// where the file system allows it.
bool MakeSparseFile(const std::string& path, const std::string& head, std::uint64_t size)
{
    WriteBytes(path, head);
#ifdef _WIN32
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool made = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    return made;
#else
    return ::truncate(path.c_str(), static_cast<off_t>(size)) == 0;
#endif
}

class ReplaceInFileTest : public testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder / "a.txt";
    const std::string temporary = path + ".tarvelox.tmp";
    const std::string backup = path + ".bak";
    ReplaceJob job;

    FileResult Replace(const std::string& find, const std::string& replace, PatternOptions options = 0)
    {
        return ReplaceInFile(job, path, {find, replace, options});
    }
};

}  // namespace

TEST_F(ReplaceInFileTest, RewritesTheFileWhenSomethingWasReplaced)
{
    WriteBytes(path, "abc\r\nabc\r\n");
    EXPECT_EQ(Replace("b\\|\\n", "\x95\x5C"), 4);
    EXPECT_EQ(ReadBytes(path), "a\x95\x5C" "c\x95\x5C" "a\x95\x5C" "c\x95\x5C");
    EXPECT_FALSE(FileExists(temporary));
    EXPECT_FALSE(FileExists(backup));
}

TEST_F(ReplaceInFileTest, BackUpKeepsTheFormerContentAndReplacesAnOlderBackup)
{
    job.BackUp = true;
    WriteBytes(path, "one two");
    WriteBytes(backup, "older backup");
    EXPECT_EQ(Replace("two", "2"), 1);
    EXPECT_EQ(ReadBytes(path), "one 2");
    EXPECT_EQ(ReadBytes(backup), "one two");
    EXPECT_FALSE(FileExists(temporary));

    // The backup must not follow the file when it is rewritten again.
    EXPECT_EQ(Replace("one", "1"), 1);
    EXPECT_EQ(ReadBytes(path), "1 2");
    EXPECT_EQ(ReadBytes(backup), "one 2");
}

TEST_F(ReplaceInFileTest, OutcomesThatLeaveEverythingAsItWas)
{
    struct Outcome {
        const char* name;
        std::string content;
        std::string find;
        PatternOptions options;
        bool abort;
        FileResult result;
    };
    const Outcome outcomes[] = {
        {"no match", "abc", "x", 0, false, 0},
        {"no match ignoring case", "abc", "X", NotCase, false, 0},
        {"empty alternatives only", "abc", "\\|", 0, false, 0},
        {"empty file", "", "a", 0, false, 0},
        {"NUL byte", std::string("ab\0c", 4), "a", 0, false, NoText},
        {"NUL byte at the end", std::string("abc\0", 4), "x", 0, false, NoText},
        {"aborted", "abc", "b", 0, true, Cancel},
        {"regular expression without the library", "abc", "b", RegularExpression, false, RegExpER},
    };
    for (const Outcome& o : outcomes) {
        job.BackUp = true;
        job.AbortRequested = o.abort;
        WriteBytes(path, o.content);
        WriteBytes(backup, "older backup");
        EXPECT_EQ(Replace(o.find, "-", o.options), o.result) << o.name;
        EXPECT_EQ(ReadBytes(path), o.content) << o.name;
        EXPECT_EQ(ReadBytes(backup), "older backup") << o.name;
        EXPECT_FALSE(FileExists(temporary)) << o.name;
    }
}

TEST_F(ReplaceInFileTest, NoMatchMakesNoBackup)
{
    job.BackUp = true;
    WriteBytes(path, "abc");
    EXPECT_EQ(Replace("x", "y"), 0);
    EXPECT_FALSE(FileExists(backup));
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, FileThatCannotBeReadIsNotOpen)
{
    EXPECT_EQ(Replace("a", "b"), NotOpen);
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(temporary));
    MakeFolder(path);
    EXPECT_EQ(Replace("a", "b"), NotOpen);
    EXPECT_FALSE(FileExists(temporary));
}

// A file of the system's that says it is empty and still has bytes is no empty text.
TEST_F(ReplaceInFileTest, AFileWhoseSizeDoesNotTellItsTextIsNotOpen)
{
    const std::string system = "/proc/version";
    if (!FileExists(system))
        GTEST_SKIP() << "no " << system;
    EXPECT_EQ(ReplaceInFile(job, system, {"Linux", "Windows", 0}), NotOpen);
}

TEST_F(ReplaceInFileTest, WholeTextReplacedByNothingIsCommittedWithItsCount)
{
    WriteBytes(path, "abcabc");
    EXPECT_EQ(Replace("abc\\|x", ""), 2);
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, AbortFromAnotherThreadLeavesAConsistentResult)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "ab";
    WriteBytes(path, text);
    std::thread abort([this] { job.AbortRequested = true; });
    const FileResult result = Replace("a", "x");
    abort.join();
    // The flag may come before any poll or after the last one; in between the file stays.
    if (result == Cancel) {
        EXPECT_EQ(ReadBytes(path), text);
    } else {
        EXPECT_EQ(result, 20000);
        EXPECT_EQ(ReadBytes(path).substr(0, 4), "xbxb");
    }
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, ReadOnlyFileIsAWriteErrorAndStaysAsItWas)
{
    job.BackUp = true;
    WriteBytes(path, "abc");
    WriteBytes(backup, "older backup");
    SetReadOnly(path, true);
    EXPECT_EQ(Replace("b", "x"), WriteErr);
    SetReadOnly(path, false);
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_EQ(ReadBytes(backup), "older backup");
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, TemporaryFileThatCannotBeCreatedIsAWriteError)
{
    job.BackUp = true;
    WriteBytes(path, "abc");
    MakeFolder(temporary);
    EXPECT_EQ(Replace("b", "x"), WriteErr);
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_FALSE(FileExists(backup));
}

TEST_F(ReplaceInFileTest, BackupThatCannotBeMadeIsAWriteError)
{
    job.BackUp = true;
    WriteBytes(path, "abc");
    MakeFolder(backup);
    EXPECT_EQ(Replace("b", "x"), WriteErr);
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_TRUE(FileExists(backup));
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, FileLargerThanMemoryIsReadOnlyAsFarAsItsResultNeeds)
{
    // Text that cannot be ISO-2022-JP, then NUL bytes: NoText once the first block is read.
    constexpr std::uint64_t size = std::uint64_t{1} << 40;
    if (!MakeSparseFile(path, "\x82\xA0", size))
        GTEST_SKIP() << "the file system refuses a sparse file of this size";
    EXPECT_EQ(Replace("a", "b"), NoText);
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_FALSE(FileExists(temporary));
}

TEST(CommitNewText, NothingReplacedOrAbortedWritesNothing)
{
    TempFolder folder;
    const std::string path = folder / "a.txt";
    WriteBytes(path, "old");
    AbortFlag abort{false};
    EXPECT_EQ(CommitNewText(abort, path, "new", 3, 0, true, platform::FileStamp()), 0);
    abort = true;
    EXPECT_EQ(CommitNewText(abort, path, "new", 3, 5, true, platform::FileStamp()), Cancel);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
    EXPECT_FALSE(FileExists(path + ".bak"));
}

// Keeps the digest a commit is told.
class DigestObserver final : public CommitObserver {
public:
    bool BeforeCommit(const FileCommit& commit, std::uint64_t&) override
    {
        Digest = commit.Digest;
        return true;
    }
    bool BeforeNames() override { return true; }
    void AfterCommit(std::uint64_t, bool) override {}

    std::uint64_t Digest = 0;
};

// Pieces of every size arrive in order, whether they are gathered or written as they come,
// and past the first MiB, when they are written (and taken into the digest) by another
// thread.
TEST(TemporaryFileOutput, WritesThePiecesInOrderAndPutsThemInPlace)
{
    TempFolder folder;
    const std::string path = folder / "a.txt";
    const AbortFlag notAborted{false};
    const std::size_t sizes[] = {0, 1, 100, 16 * 1024 - 1, 16 * 1024, 3, 256 * 1024 - 5, 10, 256 * 1024 + 7, 2,
                                 1024 * 1024, 5, 300 * 1024, 17, 16 * 1024, 256 * 1024, 256 * 1024 - 17, 1, 0};
    // Told to write on its caller's thread before the writer in the background starts, while
    // it has blocks in hand, or never.
    for (const auto& [backUp, inThisThreadAt] : {std::pair{false, 99u}, {true, 99u}, {false, 2u}, {true, 12u}}) {
        std::filesystem::remove(path + ".bak");
        WriteBytes(path, "old");
        platform::FileContent read;
        ASSERT_EQ(platform::ReadWholeFile(path, read), platform::ReadStatus::Ok);
        std::string expected;
        DigestObserver commits;
        TemporaryFileOutput output(path, read.Stamp(), &commits);
        for (std::size_t i = 0; i < std::size(sizes); ++i) {
            if (i == inThisThreadAt)
                output.WriteInThisThread();
            const std::string piece(sizes[i], static_cast<char>('a' + i));
            ASSERT_TRUE(output.Write(piece.data(), piece.size()));
            expected += piece;
        }
        EXPECT_TRUE(FileExists(path + ".tarvelox.tmp"));
        EXPECT_EQ(output.Commit(notAborted, 7, backUp), 7);
        EXPECT_TRUE(ReadBytes(path) == expected);
        ContentDigest digest;
        digest.Add(expected.data(), expected.size());
        EXPECT_EQ(commits.Digest, digest.Value());
        EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
        EXPECT_EQ(FileExists(path + ".bak"), backUp);
        if (backUp) {
            EXPECT_EQ(ReadBytes(path + ".bak"), "old");
        }
    }
}

// A file holding "old", read as a rewrite reads it.
struct OldFile {
    OldFile()
    {
        WriteBytes(path, "old");
        EXPECT_EQ(platform::ReadWholeFile(path, read), platform::ReadStatus::Ok);
    }

    TempFolder folder;
    const std::string path = folder / "a.txt";
    platform::FileContent read;
};

TEST(TemporaryFileOutput, LeavesNothingWhenItIsNotCommitted)
{
    const OldFile old;
    const std::string& path = old.path;
    const platform::FileContent& read = old.read;
    AbortFlag abort{false};
    {
        // Nothing is made before the first piece, nor for no replacement at all.
        TemporaryFileOutput output(path, read.Stamp());
        EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
        EXPECT_EQ(output.Commit(abort, 0, true), 0);
    }
    {
        TemporaryFileOutput output(path, read.Stamp());
        ASSERT_TRUE(output.Write("new", 3));
        abort = true;
        EXPECT_EQ(output.Commit(abort, 1, true), Cancel);
        abort = false;
    }
    {
        TemporaryFileOutput output(path, read.Stamp());
        ASSERT_TRUE(output.Write("new", 3));
    }
    {
        // A file changed since it was read refuses the first piece.
        WriteBytes(path, "changed");
        TemporaryFileOutput output(path, read.Stamp());
        EXPECT_FALSE(output.Write("new", 3));
        EXPECT_FALSE(output.Write("new", 3));
        EXPECT_EQ(output.Commit(abort, 1, true), WriteErr);
    }
    EXPECT_EQ(ReadBytes(path), "changed");
    EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
    EXPECT_FALSE(FileExists(path + ".bak"));
}

#ifdef _WIN32

namespace {

class OpenHandle {
public:
    OpenHandle(const std::string& path, DWORD share)
        : handle_(::CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~OpenHandle()
    {
        if (IsOpen())
            ::CloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

}  // namespace

TEST_F(ReplaceInFileTest, FileLockedByAnotherProgramIsAWriteErrorAndStaysAsItWas)
{
    job.BackUp = true;
    WriteBytes(path, "abc");
    {
        const OpenHandle lock(path, FILE_SHARE_READ);
        ASSERT_TRUE(lock.IsOpen());
        EXPECT_EQ(Replace("b", "x"), WriteErr);
        EXPECT_FALSE(FileExists(backup));
    }
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, FileOpenedExclusivelyIsNotOpen)
{
    WriteBytes(path, "abc");
    {
        const OpenHandle lock(path, 0);
        ASSERT_TRUE(lock.IsOpen());
        EXPECT_EQ(Replace("b", "x"), NotOpen);
    }
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(ReplaceInFileTest, RewrittenFileKeepsItsAttributes)
{
    WriteBytes(path, "abc");
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(Replace("b", "x"), 1);
    EXPECT_EQ(ReadBytes(path), "axc");
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
}

#else

TEST_F(ReplaceInFileTest, TemporaryFileThatCannotBeWrittenIsAWriteError)
{
    job.BackUp = true;
    WriteBytes(path, "abc");
    const FileSizeLimit limit(2);
    EXPECT_EQ(Replace("b", "x"), WriteErr);
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_FALSE(FileExists(temporary));
    EXPECT_FALSE(FileExists(backup));
}

// A write that fails while the text is written by another thread still fails the commit.
TEST(TemporaryFileOutput, AFailedWriteOfALargeTextLeavesTheFileAsItWas)
{
    const OldFile old;
    const std::string& path = old.path;
    const AbortFlag notAborted{false};
    const std::string piece(40 * 1024, 'x');
    // Early, or in the last block, which only the commit waits for.
    for (const std::size_t failsAt : {std::size_t{2} << 20, 150 * piece.size() - 1000}) {
        const FileSizeLimit limit(failsAt);
        TemporaryFileOutput output(path, old.read.Stamp());
        for (int i = 0; i < 150 && output.Write(piece.data(), piece.size()); ++i) {
        }
        EXPECT_EQ(output.Commit(notAborted, 1, true), WriteErr);
        EXPECT_EQ(ReadBytes(path), "old");
        EXPECT_FALSE(FileExists(path + ".tarvelox.tmp"));
        EXPECT_FALSE(FileExists(path + ".bak"));
    }
}

TEST_F(ReplaceInFileTest, RewrittenFileKeepsItsPermissionBits)
{
    WriteBytes(path, "abc");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(Replace("b", "x"), 1);
    EXPECT_EQ(ReadBytes(path), "axc");
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

#endif
