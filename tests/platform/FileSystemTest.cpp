#include "platform/FileSystem.h"
#include "platform/PathRules.h"
#include "platform/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#else
#include <sys/stat.h>
#endif

using namespace platform;

namespace {

std::string Contents(const FileContent& content)
{
    return std::string(content.Data(), content.Size());
}

}  // namespace

TEST(ReadWholeFile, ReadsEveryByteAndAddsATerminator)
{
    TempFolder folder;
    const std::string bytes("a\0b\r\n\x83\x41\xff", 8);
    WriteBytes(folder / "f.txt", bytes);
    FileContent content;
    ASSERT_EQ(ReadWholeFile(folder / "f.txt", content), ReadStatus::Ok);
    EXPECT_EQ(Contents(content), bytes);
    EXPECT_EQ(content.Data()[content.Size()], '\0');
}

TEST(ReadWholeFile, EmptyFileHasSizeZero)
{
    TempFolder folder;
    WriteBytes(folder / "empty", "");
    FileContent content;
    ASSERT_EQ(ReadWholeFile(folder / "empty", content), ReadStatus::Ok);
    EXPECT_EQ(content.Size(), 0u);
    EXPECT_EQ(content.Data()[0], '\0');
}

TEST(ReadWholeFile, MissingFileAndFolderCannotBeOpened)
{
    TempFolder folder;
    FileContent content;
    EXPECT_EQ(ReadWholeFile(folder / "missing", content), ReadStatus::OpenFailed);
    EXPECT_EQ(ReadWholeFile(folder.Path(), content), ReadStatus::OpenFailed);
}

TEST(FileWriter, CreatesTruncatesAndWrites)
{
    TempFolder folder;
    WriteBytes(folder / "out", "old content that is longer");
    FileWriter writer;
    ASSERT_TRUE(writer.Create(folder / "out"));
    EXPECT_TRUE(writer.Write("new", 3));
    EXPECT_TRUE(writer.Write("", 0));
    EXPECT_TRUE(writer.Flush());
    EXPECT_TRUE(writer.Close());
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(ReadBytes(folder / "out"), "new");
}

TEST(FileWriter, CannotCreateInsideAMissingFolderOrOverAFolder)
{
    TempFolder folder;
    MakeFolder(folder / "sub");
    FileWriter writer;
    EXPECT_FALSE(writer.Create(folder / (std::string("missing") + PathSeparator + "x")));
    EXPECT_FALSE(writer.Create(folder / "sub"));
    EXPECT_FALSE(writer.Write("x", 1));
}

TEST(WriteWholeFile, WritesAllBytes)
{
    TempFolder folder;
    const std::string bytes(100000, '\x81');
    EXPECT_TRUE(WriteWholeFile(folder / "w", bytes.data(), bytes.size()));
    EXPECT_EQ(ReadBytes(folder / "w"), bytes);
    EXPECT_FALSE(WriteWholeFile(folder / (std::string("no") + PathSeparator + "w"), "x", 1));
}

TEST(FileOperations, RemoveAndExistence)
{
    TempFolder folder;
    WriteBytes(folder / "f", "x");
    EXPECT_TRUE(PathExists(folder / "f"));
    EXPECT_FALSE(IsFolder(folder / "f"));
    EXPECT_TRUE(IsFolder(folder.Path()));
    EXPECT_TRUE(RemoveFile(folder / "f"));
    EXPECT_FALSE(PathExists(folder / "f"));
    EXPECT_FALSE(RemoveFile(folder / "f"));
}

TEST(FileOperations, RenameRefusesAnExistingTarget)
{
    TempFolder folder;
    WriteBytes(folder / "a", "A");
    WriteBytes(folder / "b", "B");
    EXPECT_FALSE(RenameNoReplace(folder / "a", folder / "b"));
    EXPECT_EQ(ReadBytes(folder / "a"), "A");
    EXPECT_EQ(ReadBytes(folder / "b"), "B");
    EXPECT_TRUE(RenameNoReplace(folder / "a", folder / "c"));
    EXPECT_FALSE(FileExists(folder / "a"));
    EXPECT_EQ(ReadBytes(folder / "c"), "A");
}

TEST(FileOperations, CopyRefusesAnExistingTarget)
{
    TempFolder folder;
    WriteBytes(folder / "a", "A");
    WriteBytes(folder / "b", "B");
    EXPECT_FALSE(CopyFileNoOverwrite(folder / "a", folder / "b"));
    EXPECT_EQ(ReadBytes(folder / "b"), "B");
    EXPECT_TRUE(CopyFileNoOverwrite(folder / "a", folder / "c"));
    EXPECT_EQ(ReadBytes(folder / "a"), "A");
    EXPECT_EQ(ReadBytes(folder / "c"), "A");
    EXPECT_FALSE(CopyFileNoOverwrite(folder / "missing", folder / "d"));
    EXPECT_FALSE(FileExists(folder / "d"));
}

TEST(FileOperations, LinkKeepsTheContentWhenTheOriginalIsReplaced)
{
    TempFolder folder;
    WriteBytes(folder / "p", "before");
    WriteBytes(folder / "old", "x");
    EXPECT_FALSE(LinkOrCopyFile(folder / "p", folder / "old"));
    ASSERT_TRUE(LinkOrCopyFile(folder / "p", folder / "p.bak"));
    WriteBytes(folder / "p.tmp", "after");
    ASSERT_TRUE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    EXPECT_EQ(ReadBytes(folder / "p"), "after");
    EXPECT_EQ(ReadBytes(folder / "p.bak"), "before");
}

TEST(ReplaceAtomically, PutsTheNewContentInPlace)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    ASSERT_TRUE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    EXPECT_EQ(ReadBytes(folder / "p"), "new");
    EXPECT_FALSE(FileExists(folder / "p.tmp"));
}

TEST(ReplaceAtomically, RefusesAReadOnlyTarget)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    SetReadOnly(folder / "p", true);
    EXPECT_FALSE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    SetReadOnly(folder / "p", false);
    EXPECT_EQ(ReadBytes(folder / "p"), "old");
    EXPECT_EQ(ReadBytes(folder / "p.tmp"), "new");
}

TEST(ReplaceAtomically, RefusesAMissingTarget)
{
    TempFolder folder;
    WriteBytes(folder / "p.tmp", "new");
    EXPECT_FALSE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    EXPECT_EQ(ReadBytes(folder / "p.tmp"), "new");
}

TEST(ReplaceAtomically, OnlyOverTheFileThatWasRead)
{
    TempFolder folder;
    const std::string path = folder / "p";
    WriteBytes(path, "old");
    FileContent read;
    ASSERT_EQ(ReadWholeFile(path, read), ReadStatus::Ok);
    EXPECT_TRUE(CanReplace(path, &read.Stamp()));

    WriteBytes(folder / "other", "another");
    ASSERT_TRUE(ReplaceAtomically(folder / "other", path));
    WriteBytes(folder / "p.tmp", "new");
    EXPECT_FALSE(CanReplace(path, &read.Stamp()));
    EXPECT_FALSE(ReplaceAtomically(folder / "p.tmp", path, &read.Stamp()));
    EXPECT_EQ(ReadBytes(path), "another");

    ASSERT_EQ(ReadWholeFile(path, read), ReadStatus::Ok);
    WriteBytes(path, "changed in place");
    EXPECT_FALSE(ReplaceAtomically(folder / "p.tmp", path, &read.Stamp()));
    EXPECT_EQ(ReadBytes(path), "changed in place");
}

TEST(FileWriter, CreateNewRefusesAnExistingName)
{
    TempFolder folder;
    WriteBytes(folder / "p", "keep");
    FileWriter writer;
    EXPECT_FALSE(writer.CreateNew(folder / "p"));
    EXPECT_EQ(ReadBytes(folder / "p"), "keep");
    ASSERT_TRUE(writer.CreateNew(folder / "q"));
    EXPECT_TRUE(writer.Write("new", 3) && writer.Close());
    EXPECT_EQ(ReadBytes(folder / "q"), "new");
}

#ifdef _WIN32

TEST(ReplaceAtomically, KeepsTheTargetsAttributes)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    ASSERT_TRUE(::SetFileAttributesA((folder / "p").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    EXPECT_EQ(ReadBytes(folder / "p"), "new");
    const DWORD attributes = ::GetFileAttributesA((folder / "p").c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
}

namespace {

// A file's access list in the system's text form ("D:P(A;;FA;;;WD)..."), "" when unreadable.
std::string AccessListText(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL list = nullptr;
    if (::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                                nullptr, &descriptor) != ERROR_SUCCESS)
        return "";
    char* text = nullptr;
    std::string result;
    if (::ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                               &text, nullptr))
        result = text;
    ::LocalFree(text);
    ::LocalFree(descriptor);
    return result;
}

bool SetAccessList(const std::string& path, const char* text)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    const bool set = ::SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor);
    ::LocalFree(descriptor);
    return set;
}

}  // namespace

// A file the user gave an access list of its own (here: protected, everyone may read and
// write it, the users only read it) keeps that list when its new content takes its place.
TEST(ReplaceAtomically, KeepsTheTargetsOwnAccessList)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    ASSERT_TRUE(SetAccessList(folder / "p", "D:P(A;;FRFW;;;WD)(A;;FR;;;BU)"));
    const std::string before = AccessListText(folder / "p");
    ASSERT_NE(before, "");
    ASSERT_NE(before, AccessListText(folder / "p.tmp"));
    ASSERT_TRUE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    EXPECT_EQ(ReadBytes(folder / "p"), "new");
    EXPECT_EQ(AccessListText(folder / "p"), before);
}

namespace {

HANDLE OpenWithoutDeleteSharing(const std::string& path)
{
    return ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

TEST(ReplaceAtomically, ALockedTargetStaysAsItWas)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    HANDLE lock = OpenWithoutDeleteSharing(folder / "p");
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    ::CloseHandle(lock);
    EXPECT_EQ(ReadBytes(folder / "p"), "old");
    EXPECT_EQ(ReadBytes(folder / "p.tmp"), "new");
}

TEST(ReplaceAtomically, WaitsOutABriefLock)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    HANDLE lock = OpenWithoutDeleteSharing(folder / "p");
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    std::thread release([lock] {
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        ::CloseHandle(lock);
    });
    EXPECT_TRUE(ReplaceAtomically(folder / "p.tmp", folder / "p"));
    release.join();
    EXPECT_EQ(ReadBytes(folder / "p"), "new");
}

#else

TEST(FileOperations, LinksAreFollowedOnlyWhenAsked)
{
    TempFolder folder;
    WriteBytes(folder / "p", "old");
    WriteBytes(folder / "p.tmp", "new");
    ASSERT_EQ(::symlink("p", (folder / "link").c_str()), 0);
    ASSERT_EQ(::symlink("missing", (folder / "dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0666), 0);

    EXPECT_FALSE(CanReplace(folder / "link"));
    EXPECT_FALSE(ReplaceAtomically(folder / "p.tmp", folder / "link"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link"));
    FileWriter writer;
    EXPECT_FALSE(writer.CreateNew(folder / "dangling"));
    EXPECT_FALSE(FileExists(folder / "missing"));
    // A pipe is refused at once instead of waiting for a writer.
    FileContent content;
    EXPECT_EQ(ReadWholeFile(folder / "pipe", content), ReadStatus::OpenFailed);
    // A read follows a link and tells where it led.
    ASSERT_EQ(ReadWholeFile(folder / "link", content), ReadStatus::Ok);
    EXPECT_EQ(std::string(content.Data(), content.Size()), "old");
    EXPECT_EQ(content.ReadPath(), std::filesystem::canonical(folder / "p").string());
    ASSERT_EQ(ReadWholeFile(folder / "p", content), ReadStatus::Ok);
    EXPECT_EQ(content.ReadPath(), folder / "p");
    EXPECT_EQ(ReadWholeFile(folder / "dangling", content), ReadStatus::OpenFailed);
}

TEST(ReplaceAtomically, AWriterPutsItsFileInPlaceWithTheTargetsBitsOnlyOverTheFileRead)
{
    TempFolder folder;
    const std::string path = folder / "run.cgi";
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 04750), 0);
    FileContent read;
    ASSERT_EQ(ReadWholeFile(path, read), ReadStatus::Ok);
    FileWriter writer;
    ASSERT_TRUE(writer.CreateNew(path + ".tmp"));
    ASSERT_TRUE(writer.Write("new", 3));
    ASSERT_TRUE(writer.CloseAndReplace(path, &read.Stamp()));
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_FALSE(FileExists(path + ".tmp"));
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 04750u);

    // Edited by another program after the read: the written file stays where it is.
    ASSERT_EQ(ReadWholeFile(path, read), ReadStatus::Ok);
    ASSERT_TRUE(writer.CreateNew(path + ".tmp"));
    ASSERT_TRUE(writer.Write("newer", 5));
    WriteBytes(path, "edited meanwhile");
    EXPECT_FALSE(writer.CloseAndReplace(path, &read.Stamp()));
    EXPECT_EQ(ReadBytes(path), "edited meanwhile");
    writer.Close();
    EXPECT_EQ(ReadBytes(path + ".tmp"), "newer");
}

TEST(ReplaceAtomically, KeepsTheTargetsPermissionBits)
{
    TempFolder folder;
    WriteBytes(folder / "run.cgi", "old");
    WriteBytes(folder / "run.cgi.tmp", "new");
    ASSERT_EQ(::chmod((folder / "run.cgi").c_str(), 0750), 0);
    ASSERT_TRUE(ReplaceAtomically(folder / "run.cgi.tmp", folder / "run.cgi"));
    struct stat info;
    ASSERT_EQ(::stat((folder / "run.cgi").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
}

#endif

TEST(ProgramDirectory, IsTheFolderOfTheExecutable)
{
    const std::string module = ModulePath();
    const std::string folder = GetProgramDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), PathSeparator);
    EXPECT_EQ(module.compare(0, folder.size(), folder), 0);
    EXPECT_NE(module.find("platform_tests", folder.size()), std::string::npos) << module;
}

// The folder a path names its file in; natively a backslash is part of a name, on Windows a
// slash separates as a backslash does.
TEST(PathRules, TheFolderOfAPathIsWhatComesBeforeItsLastSeparator)
{
    EXPECT_EQ(FolderOfPath("a.txt"), ".");
#ifdef _WIN32
    EXPECT_EQ(FolderOfPath("C:\\work\\a.txt"), "C:\\work");
    EXPECT_EQ(FolderOfPath("work/sub\\a.txt"), "work/sub");
    EXPECT_EQ(FolderOfPath("\\a.txt"), "\\");
#else
    EXPECT_EQ(FolderOfPath("/work/sub/a.txt"), "/work/sub");
    EXPECT_EQ(FolderOfPath("/a.txt"), "/");
    EXPECT_EQ(FolderOfPath("sub/a\\b.txt"), "sub");
    EXPECT_EQ(FolderOfPath("a\\b.txt"), ".");
#endif
}
