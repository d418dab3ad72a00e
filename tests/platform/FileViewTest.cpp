#include "platform/FileView.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#endif

using namespace platform;

namespace {

constexpr std::size_t AlwaysMap = 0;
constexpr std::size_t NeverMap = static_cast<std::size_t>(-1);

std::string PatternOf(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + i % 23);
    return bytes;
}

std::string Contents(const FileView& view)
{
    return view.Size() == 0 ? std::string() : std::string(view.Data(), view.Size());
}

}  // namespace

TEST(FileView, MapsOrReadsEveryByteAsTheWholeFileReadGivesIt)
{
    TempFolder folder;
    const std::string path = folder / "f.txt";
    // Around the size of a page, so that a mapped file ends where its last page does.
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096},
                                   std::size_t{4097}, std::size_t{65536}, std::size_t{300000}}) {
        const std::string bytes = PatternOf(size);
        WriteBytes(path, bytes);
        FileContent read;
        ASSERT_EQ(ReadWholeFile(path, read), ReadStatus::Ok);
        for (const std::size_t mapFrom : {AlwaysMap, NeverMap, FileView::DefaultMapFrom}) {
            SCOPED_TRACE(testing::Message() << size << " bytes, mapped from " << mapFrom);
            FileView view;
            ASSERT_EQ(view.Open(path, mapFrom), ReadStatus::Ok);
            EXPECT_EQ(view.IsMapped(), size > 0 && size >= mapFrom);
            EXPECT_TRUE(Contents(view) == bytes);
            EXPECT_EQ(view.Stamp(), read.Stamp());
            EXPECT_EQ(view.ReadPath(), read.ReadPath());
            EXPECT_FALSE(view.LostBytes());
        }
    }
}

TEST(FileView, MissingFileAndFolderCannotBeOpened)
{
    TempFolder folder;
    FileView view;
    EXPECT_EQ(view.Open(folder / "missing", AlwaysMap), ReadStatus::OpenFailed);
    EXPECT_EQ(view.Open(folder.Path(), AlwaysMap), ReadStatus::OpenFailed);
}

TEST(FileView, AClosedViewLetsTheFileBeReplaced)
{
    TempFolder folder;
    const std::string path = folder / "f.txt";
    WriteBytes(path, PatternOf(8192));
    FileView view;
    ASSERT_EQ(view.Open(path, AlwaysMap), ReadStatus::Ok);
    ASSERT_TRUE(view.IsMapped());
    EXPECT_TRUE(CanReplace(path, &view.Stamp()));
    view.Close();
    EXPECT_EQ(view.Size(), 0u);
    WriteBytes(path + ".tmp", "new");
    EXPECT_TRUE(ReplaceAtomically(path + ".tmp", path));
    EXPECT_EQ(ReadBytes(path), "new");
}

#ifdef _WIN32

// The system keeps a mapped file from being cut short, so no byte of the view can go missing.
TEST(FileView, AMappedFileCannotBeCutShort)
{
    TempFolder folder;
    const std::string path = folder / "f.txt";
    const std::string bytes = PatternOf(3 * 4096);
    WriteBytes(path, bytes);
    FileView view;
    ASSERT_EQ(view.Open(path, AlwaysMap), ReadStatus::Ok);
    HANDLE other = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    LARGE_INTEGER cut;
    cut.QuadPart = 4096;
    EXPECT_TRUE(::SetFilePointerEx(other, cut, nullptr, FILE_BEGIN));
    EXPECT_FALSE(::SetEndOfFile(other));
    ::CloseHandle(other);
    EXPECT_TRUE(Contents(view) == bytes);
    EXPECT_FALSE(view.LostBytes());
}

#else

// Another program may cut the file short while it is mapped: the bytes it took read as
// zeros instead of ending the program, and the view says so. A second view is not touched.
TEST(FileView, BytesCutOffMeanwhileReadAsZeros)
{
    TempFolder folder;
    const std::string path = folder / "f.txt";
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::string bytes = PatternOf(5 * page + 100);
    WriteBytes(path, bytes);
    WriteBytes(folder / "other.txt", bytes);
    FileView view;
    FileView other;
    ASSERT_EQ(view.Open(path, AlwaysMap), ReadStatus::Ok);
    ASSERT_EQ(other.Open(folder / "other.txt", AlwaysMap), ReadStatus::Ok);
    const std::size_t kept = 2 * page + 10;
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kept)), 0);

    const std::string seen = Contents(view);
    EXPECT_TRUE(seen.substr(0, kept) == bytes.substr(0, kept));
    // The rest of the last page that remains reads as zeros by the file's own rule.
    EXPECT_EQ(seen.substr(kept), std::string(bytes.size() - kept, '\0'));
    EXPECT_TRUE(view.LostBytes());
    EXPECT_TRUE(Contents(other) == bytes);
    EXPECT_FALSE(other.LostBytes());

    // The same view opened again sees the file as it now is.
    ASSERT_EQ(view.Open(path, AlwaysMap), ReadStatus::Ok);
    EXPECT_FALSE(view.LostBytes());
    EXPECT_TRUE(Contents(view) == bytes.substr(0, kept));
}

// A bus error outside the mapped views still ends the program as it would without them.
TEST(FileViewDeathTest, OtherBusErrorsAreLeftAlone)
{
    TempFolder folder;
    const std::string path = folder / "f.txt";
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    WriteBytes(path, PatternOf(3 * page));
    FileView view;
    ASSERT_EQ(view.Open(path, AlwaysMap), ReadStatus::Ok);
    EXPECT_DEATH(
        {
            FILE* file = std::fopen(path.c_str(), "rb");
            void* other = ::mmap(nullptr, 3 * page, PROT_READ, MAP_PRIVATE, fileno(file), 0);
            if (::truncate(path.c_str(), 0) == 0)
                std::printf("%d", static_cast<const volatile char*>(other)[2 * page]);
        },
        "");
}

#endif
