// A preview is the run with nothing written: the same results as the real run on the same
// files, the same new texts, and every file, its times and its folder as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/NewTextReader.h"
#include "tests/engine/support/RunInFolder.h"
#include "tests/engine/support/TestSettings.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

struct NewText {
    TextEncoding Encoding;
    std::string Before, After;
    bool operator==(const NewText&) const = default;
};

class RecordingReader : public NewTextReader {
public:
    void OnNewText(const std::string& path, TextEncoding encoding, std::string_view before,
                   std::string_view after) override
    {
        texts[path] = {encoding, std::string(before), std::string(after)};
    }
    std::map<std::string, NewText> texts;
};

// The bytes of a file, natively without bringing its access time up to date.
std::string ReadWithoutAccess(const std::string& path)
{
#ifndef _WIN32
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOATIME);
    char buffer[4096];
    for (ssize_t got; fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
    if (fd >= 0)
        ::close(fd);
    return bytes;
#else
    return ReadBytes(path);
#endif
}

// Every file of the folder with its bytes and its times, so that a touch shows.
using Snapshot = std::map<std::string, std::tuple<std::string, long long, long long>>;

Snapshot Take(const std::string& folder)
{
    Snapshot snapshot;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        long long modified = entry.last_write_time().time_since_epoch().count(), accessed = 0;
#ifndef _WIN32
        struct stat info;
        if (::stat(entry.path().c_str(), &info) == 0)
            accessed = info.st_atim.tv_sec * 1000000000LL + info.st_atim.tv_nsec;
#endif
        snapshot[name] = {ReadWithoutAccess(entry.path().string()), modified, accessed};
    }
    return snapshot;
}

// An access time before the last change, which a plain read would bring up to date.
void MakeAccessTimeOld(const std::string& path)
{
#ifndef _WIN32
    const timespec times[2] = {{1000000, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
#else
    (void)path;
#endif
}

class PreviewTest : public RunInFolderTest {
protected:
    struct Outcome {
        std::string Log;
        std::vector<std::string> Events;
        std::map<std::string, NewText> Texts;
    };
    // With `reader` the new texts are shown to one, which keeps them in memory.
    Outcome RunWith(bool preview, bool reader = true)
    {
        RecordingObserver events;
        RecordingReader texts;
        job.Preview = preview;
        job.NewTexts = reader ? &texts : nullptr;
        log.ResetLog();
        RunReplace(job, log, events);
        return {log.Text(), events.Events(), texts.texts};
    }

    void WriteTree()
    {
        if (FileExists("ro.txt"))
            SetReadOnly("ro.txt", false);
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            std::filesystem::remove_all(entry.path());
        WriteBytes("a.txt", "abc\r\nxbc abc\r\n");
        WriteBytes("b.txt", "nothing here");
        WriteBytes("euc.txt", "\xA4\xA2 abc \xB5\xEC\r\n");  // あ abc 旧, in EUC-JP
        WriteBytes("n.txt", std::string("abc\0", 4));
        WriteBytes("n.txt.tmp", "the user's own");
        WriteBytes("ro.txt", "abc");
        WriteBytes("old.txt.bak", "an older backup");
        WriteBytes("old.txt", "abc");
        // Large enough for a regular expression to see it mapped.
        std::string big;
        for (int i = 0; i < 30000; ++i)
            big += "line abc\r\n";
        WriteBytes("big.txt", big);
        SetReadOnly("ro.txt", true);
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            MakeAccessTimeOld(entry.path().string());
        job.Files = {"a.txt", "b.txt", "euc.txt", "n.txt", "ro.txt", "old.txt", "big.txt", "missing.txt"};
    }
    void TearDown() override
    {
        SetReadOnly(folder / "ro.txt", false);
        RunInFolderTest::TearDown();
    }
};

TEST_F(PreviewTest, SameResultsAsTheRunAndNothingWritten)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    TestSettings settings;
    job.RegexLibrary = &library;
    job.Settings = &settings;
    const struct {
        const char* what;
        bool allAuto;
        ReplacePattern pattern;
        int bregexp;
    } cases[] = {
        {"literal", false, {"bc", "B\\nC", 0}, 0},
        {"regular expression, own template", false, {"b(c)", "[$1]", RegularExpression | Multiline}, 0},
        {"regular expression, the library's", false, {"b(c)", "[\\1]", RegularExpression}, 1},
        {"full-automatic", true, {}, 0},
    };
    job.Patterns = {{"a", "A", 0}, {"(x)bc$", "$1", RegularExpression | Multiline}};
    for (const auto& c : cases) {
        job.AllAuto = c.allAuto;
        job.BackUp = true;
        job.Pattern = c.pattern;
        settings.Bregexp = c.bregexp;

        WriteTree();
        const Snapshot before = Take(folder.Path());
        const Outcome previewed = RunWith(true);
        EXPECT_EQ(Take(folder.Path()), before) << c.what;
        const Outcome unread = RunWith(true, false);
        EXPECT_EQ(Take(folder.Path()), before) << c.what;
        EXPECT_EQ(unread.Log, previewed.Log) << c.what;
        EXPECT_EQ(unread.Events, previewed.Events) << c.what;

        const Outcome written = RunWith(false);
        EXPECT_EQ(written.Log, previewed.Log) << c.what;
        EXPECT_EQ(written.Events, previewed.Events) << c.what;
        EXPECT_EQ(written.Texts, previewed.Texts) << c.what;
        EXPECT_FALSE(written.Texts.empty()) << c.what;
        for (const auto& [path, text] : written.Texts)
            EXPECT_EQ(ReadBytes(path), text.After) << c.what << " " << path;
    }
}

// The preview shows each changed file in its own encoding, with its text before and after.
TEST_F(PreviewTest, NewTextsInTheirEncodings)
{
    WriteTree();
    job.Pattern = {"abc", "xyz", 0};
    std::map<std::string, NewText> texts = RunWith(true).Texts;
    EXPECT_EQ(texts["big.txt"].After.size(), 30000u * 10);
    texts.erase("big.txt");
    EXPECT_EQ(texts,
              (std::map<std::string, NewText>{
                  {"a.txt", {TextEncoding::Ascii, "abc\r\nxbc abc\r\n", "xyz\r\nxbc xyz\r\n"}},
                  {"euc.txt", {TextEncoding::EucJp, "\xA4\xA2 abc \xB5\xEC\r\n", "\xA4\xA2 xyz \xB5\xEC\r\n"}},
                  {"old.txt", {TextEncoding::Ascii, "abc", "xyz"}},
              }));
    EXPECT_NE(log.Text().find("ro.txt                                        WriteErr"), std::string::npos) << log.Text();
}

}  // namespace
