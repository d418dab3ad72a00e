#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "bregexp/CompilationCount.h"
#include "bregexp/EntryPoints.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/pattern/RegexCommandText.h"
#include "engine/rewrite/ReplaceInFile.h"
#include "tests/engine/support/TestSettings.h"
#include "tests/support/TestFiles.h"
#ifndef _WIN32
#include <unistd.h>

#include "tests/support/FileSystemFaults.h"
#endif

namespace {

// Entry points that count their calls and pass them on to `forward`. A function pointer
// carries no state, so the counts are the program's.
struct EntryPointTargets {
    BMatchFunction Match;
    BSubstFunction Subst;
    BRegfreeFunction Free;
};
EntryPointTargets forward;
std::atomic<int> matchCalls{0};
std::atomic<int> substCalls{0};
std::atomic<int> freeCalls{0};
std::function<void(int)> beforeMatch;  // given the number of the call
std::function<void()> beforeSubst;

int BREGEXP_CALL CountedMatch(const char* command, const char* start, const char* end, RegexHandle** handle,
                              char* message)
{
    const int call = ++matchCalls;
    if (beforeMatch)
        beforeMatch(call);
    return forward.Match(command, start, end, handle, message);
}

int BREGEXP_CALL CountedSubst(const char* command, const char* start, const char* end, RegexHandle** handle,
                              char* message)
{
    ++substCalls;
    if (beforeSubst)
        beforeSubst();
    return forward.Subst(command, start, end, handle, message);
}

void BREGEXP_CALL CountedFree(RegexHandle* handle)
{
    ++freeCalls;
    forward.Free(handle);
}

class RegexReplaceTest : public testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder / "a.txt";
    const std::string temporary = path + ".tarvelox.tmp";
    const std::string backup = path + ".bak";
    BregexpLibrary library;
    TestSettings settings;
    ReplaceJob job;

    void SetUp() override
    {
        // The library the program ships, from beside this test program.
        ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
        job.RegexLibrary = &library;
        job.Settings = &settings;
    }

    void TearDown() override
    {
        beforeMatch = nullptr;
        beforeSubst = nullptr;
    }

    FileResult Replace(const std::string& find, const std::string& replace, PatternOptions options = 0)
    {
        return ReplaceInFile(job, path, {find, replace, options | RegularExpression});
    }

    // Counted, the program searches one call at a time, as with a library without BMatchEach.
    void CountCalls(EntryPointTargets targets)
    {
        forward = targets;
        matchCalls = substCalls = freeCalls = 0;
        library.BMatch = CountedMatch;
        library.BSubst = CountedSubst;
        library.BRegfree = CountedFree;
        library.BMatchEach = nullptr;
    }
};

// Both ways of substituting, by the setting Bregexp.
constexpr int Own = 0;
constexpr int ByLibrary = 1;

}  // namespace

TEST(RegexCommandText, QuotesAndOrdersTheModifiers)
{
    EXPECT_EQ(MatchCommandText("^x$", Multiline | Ignorecase), "/^x$/mi");
    EXPECT_EQ(MatchCommandText("/home/a", Ignorecase | Multiline | Kanji), "/\\/home\\/a/kmi");
    EXPECT_EQ(MatchCommandText("a", NotEscape | NotCase | RegularExpression), "/a/");
    EXPECT_EQ(SubstituteCommandText("a/b", "x", Multiline), "s/a\\/b/x/mg");
    EXPECT_EQ(SubstituteCommandText("a\\/b", "1/2", Kanji), "s/a\\/b/1\\/2/kg");
    EXPECT_EQ(SubstituteCommandText("\\\\/", "", 0), "s/\\\\\\///g");
}

TEST(RegexCommandText, NewlineIsSkippedAfterAnUnescapedDollarWithMultiline)
{
    const struct {
        const char* find;
        PatternOptions options;
        bool skips;
    } cases[] = {
        {"x$", Multiline, true},
        {"x$", Kanji | Ignorecase, false},
        {"$x", Multiline, false},
        {"x\\$", Multiline, false},           // a dollar sign, not the line's end
        {"x\\\\$", Multiline, true},          // a backslash, then the line's end
        {"\x95\x5C$", Multiline, true},       // the backslash is a second byte
        {"x/$", Multiline, true},
        {"x\\", Multiline, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SkipsNewlineAfterMatch(c.find, c.options), c.skips) << c.find;
}

TEST_F(RegexReplaceTest, Substitutions)
{
    const struct {
        const char* name;
        std::string text;
        std::string find;
        std::string replace;
        PatternOptions options;
        int bregexp;
        FileResult count;
        std::string result;
    } cases[] = {
        {"groups", "abcdebxd", "b(.)d", "[$1]", 0, Own, 2, "a[c]e[x]"},
        {"groups by the library", "abcdebxd", "b(.)d", "[$1]", 0, ByLibrary, 2, "a[c]e[x]"},
        {"group the expression lacks", "abc", "b", "[$5]", 0, Own, 1, "a[]c"},
        {"group that took no part", "ab", "(a)|b", "[$1]", 0, Own, 2, "[a][]"},
        {"template escapes", "ab", "b", "\\t$$\\x41\\101$0", 0, Own, 1, "a\t$AAb"},
        {"LF after a line's end is dropped", "x\nx\n", "x$", "y", Multiline, Own, 2, "yy"},
        {"nothing dropped without m", "x\nx\n", "x$", "y", 0, Own, 1, "x\ny\n"},
        {"the library drops nothing", "x\nx\n", "x$", "y", Multiline, ByLibrary, 2, "y\ny\n"},
        {"a dollar sign is no line's end", "a$\nb", "a\\$", "-", Multiline, Own, 1, "-\nb"},
        {"backslash before a line's end", "a\\\nb", "a\\\\$", "-", Multiline, Own, 1, "-b"},
        {"ignoring case, line by line", "X\nx\ny", "^x$", "-", Multiline | Ignorecase, Own, 2, "--y"},
        {"slash quoted", "a/b\na/b", "a/b", "x", Multiline, ByLibrary, 2, "x\nx"},
        {"escaped slash quoted once", "a/b", "a\\/b", "1/2", 0, ByLibrary, 1, "1/2"},
        {"slash in the own substitution", "a/b", "a\\/b", "$0$0", 0, Own, 1, "a/ba/b"},
        // Each later search is given only the rest of the text.
        {"start anchor after a match", "aaa", "^a", "x", 0, Own, 3, "xxx"},
        {"double-byte characters with k", "\x83\x41", ".", "-", Kanji, Own, 1, "-"},
        {"characters without k too", "\x83\x41", ".", "-", 0, Own, 1, "-"},
        {"no second byte is a start without k", "\x95\x5C\\", "\\\\", "/", 0, Own, 1, "\x95\x5C/"},
        {"nor taken by a quantifier", "\x83\x5C\x83\x5C", "\x83\x5C+", "-", 0, Own, 1, "-"},
        {"empty matches", "abc", "x*", "-", 0, Own, 3, "-a-b-c"},
        {"empty match steps over a character", "\x83\x41" "b", "x*", "-", Kanji, Own, 2, "-\x83\x41-b"},
        {"empty match steps over a character without k too", "\x83\x41" "b", "x*", "-", 0, Own, 2, "-\x83\x41-b"},
        {"empty match then non-empty", "abx", "x*", "-", 0, Own, 3, "-a-b-"},
        {"empty match before a dropped LF", "a\nb\n", "$", "-", Multiline, Own, 2, "a-b-"},
        {"empty match at the end", "abc", "$", "!", 0, Own, 1, "abc!"},
        {"whole text replaced by nothing", "abc", ".*", "", 0, Own, 1, ""},
        {"NUL bytes are text", std::string("a\0b\0", 4), "b", "-", 0, Own, 1, std::string("a\0-\0", 4)},
        {"NUL bytes by the library", std::string("a\0b\0", 4), "b.", "-", 0, ByLibrary, 1, std::string("a\0-", 3)},
        {"NUL byte matched", std::string("a\0b", 3), "\\x00", "-", 0, Own, 1, "a-b"},
    };
    for (const auto& c : cases) {
        settings.Bregexp = c.bregexp;
        WriteBytes(path, c.text);
        EXPECT_EQ(Replace(c.find, c.replace, c.options), c.count) << c.name;
        EXPECT_EQ(ReadBytes(path), c.result) << c.name;
        EXPECT_FALSE(FileExists(temporary)) << c.name;
        EXPECT_FALSE(FileExists(backup)) << c.name;
    }
}

TEST_F(RegexReplaceTest, OutcomesThatLeaveEverythingAsItWas)
{
    const std::string runaway = std::string(1 << 20, 'a') + "!";
    const struct {
        const char* name;
        std::string text;
        std::string find;
        bool abort;
        FileResult result;
    } cases[] = {
        {"no match", "abc\n", "x", false, 0},
        {"empty file", "", "(", false, 0},
        {"rejected expression", "abc", "(", false, RegExpER},
        {"unfinished command", "abc", "a\\", false, RegExpER},
        {"aborted before the first search", "abc", "b", true, Cancel},
        {"search limit reached", runaway, "^(a+)+$", false, RegExpER},
    };
    for (const int bregexp : {Own, ByLibrary})
        for (const auto& c : cases) {
            settings.Bregexp = bregexp;
            job.BackUp = true;
            job.AbortRequested = c.abort;
            WriteBytes(path, c.text);
            WriteBytes(backup, "older backup");
            EXPECT_EQ(Replace(c.find, "-"), c.result) << c.name << ", Bregexp " << bregexp;
            EXPECT_TRUE(ReadBytes(path) == c.text) << c.name << ", Bregexp " << bregexp;
            EXPECT_EQ(ReadBytes(backup), "older backup") << c.name << ", Bregexp " << bregexp;
            EXPECT_FALSE(FileExists(temporary)) << c.name << ", Bregexp " << bregexp;
        }
}

TEST_F(RegexReplaceTest, LibraryOutOfMemoryIsMemLack)
{
    library.BMatch = [](const char*, const char*, const char*, RegexHandle**, char*) { return RegexOutOfMemory; };
    library.BSubst = [](const char*, const char*, const char*, RegexHandle**, char*) { return RegexOutOfMemory; };
    library.BMatchEach = [](const char*, const char*, const char*, RegexHandle**, char*, BOnwardFunction, void*,
                            unsigned) {
        return RegexOutOfMemory;
    };
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        WriteBytes(path, "abc");
        EXPECT_EQ(Replace("b", "x"), MemLack) << "Bregexp " << bregexp;
        EXPECT_EQ(ReadBytes(path), "abc");
        EXPECT_FALSE(FileExists(temporary));
    }
}

TEST_F(RegexReplaceTest, WithoutTheLibraryNothingIsTouched)
{
    WriteBytes(path, "abc");
    BregexpLibrary notLoaded;
    const BregexpLibrary* const absentLibraries[] = {nullptr, &notLoaded};
    for (const BregexpLibrary* absent : absentLibraries) {
        job.RegexLibrary = absent;
        EXPECT_EQ(Replace("b", "x"), RegExpER);
        EXPECT_EQ(ReadBytes(path), "abc");
        EXPECT_FALSE(FileExists(temporary));
        // Refused before the file is even looked at.
        EXPECT_EQ(ReplaceInFile(job, folder / "missing.txt", {"b", "x", RegularExpression}), RegExpER);
    }
    job.RegexLibrary = &library;
    EXPECT_EQ(ReplaceInFile(job, folder / "missing.txt", {"b", "x", RegularExpression}), NotOpen);
}

TEST_F(RegexReplaceTest, BregexpIsReadForEveryFile)
{
    for (const auto& [bregexp, result] : {std::pair{Own, "yy"}, std::pair{ByLibrary, "y\ny\n"}, std::pair{Own, "yy"}}) {
        settings.Bregexp = bregexp;
        WriteBytes(path, "x\nx\n");
        EXPECT_EQ(Replace("x$", "y", Multiline), 2);
        EXPECT_EQ(ReadBytes(path), result);
    }
    // No settings read as Bregexp 0.
    job.Settings = nullptr;
    WriteBytes(path, "x\nx\n");
    EXPECT_EQ(Replace("x$", "y", Multiline), 2);
    EXPECT_EQ(ReadBytes(path), "yy");
}

TEST_F(RegexReplaceTest, OneCompilationAndOneReleasePerFile)
{
    CountCalls({::BMatch, ::BSubst, ::BRegfree});
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "ab\n";
    const std::string files[] = {folder / "1.txt", folder / "2.txt", folder / "3.txt"};
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        matchCalls = substCalls = freeCalls = 0;
        const long compilations = bregexp::CompilationCount();
        for (const std::string& file : files) {
            WriteBytes(file, text);
            EXPECT_EQ(ReplaceInFile(job, file, {"(a)b$", "$1", RegularExpression | Multiline}), 50);
        }
        std::string expected;
        for (int i = 0; i < 50; ++i)
            expected += bregexp == Own ? "a" : "a\n";
        EXPECT_EQ(ReadBytes(files[2]), expected);
        EXPECT_EQ(bregexp::CompilationCount() - compilations, 3) << "Bregexp " << bregexp;
        EXPECT_EQ(freeCalls, 3) << "Bregexp " << bregexp;
        EXPECT_EQ(matchCalls, bregexp == Own ? 3 * 50 : 0);
        EXPECT_EQ(substCalls, bregexp == Own ? 0 : 3);
    }
}

TEST_F(RegexReplaceTest, RejectedExpressionFailsEveryFileAndLeavesNoHandle)
{
    CountCalls({library.BMatch, library.BSubst, library.BRegfree});
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        for (const char* name : {"1.txt", "2.txt", "3.txt"}) {
            const std::string file = folder / name;
            WriteBytes(file, "a(b");
            EXPECT_EQ(ReplaceInFile(job, file, {"a(", "x", RegularExpression}), RegExpER);
            EXPECT_EQ(ReadBytes(file), "a(b");
            EXPECT_FALSE(FileExists(file + ".tarvelox.tmp"));
        }
    }
    EXPECT_EQ(matchCalls + substCalls, 6);
    EXPECT_EQ(freeCalls, 0);
}

TEST_F(RegexReplaceTest, AbortDuringTheSearchesStopsBeforeTheNextOne)
{
    CountCalls({library.BMatch, library.BSubst, library.BRegfree});
    const std::string text(10000, 'a');
    WriteBytes(path, text);
    constexpr int abortedAt = 100;
    std::atomic<bool> reached{false};
    // The search that the abort comes during waits for it, so that it surely falls inside the loop.
    beforeMatch = [&](int call) {
        if (call != abortedAt)
            return;
        reached = true;
        while (!job.IsAborted())
            std::this_thread::yield();
    };
    std::thread aborter([&] {
        while (!reached)
            std::this_thread::yield();
        job.AbortRequested = true;
    });
    EXPECT_EQ(Replace("a", "b"), Cancel);
    aborter.join();
    EXPECT_EQ(matchCalls, abortedAt);
    EXPECT_EQ(freeCalls, 1);
    EXPECT_EQ(ReadBytes(path), text);
    EXPECT_FALSE(FileExists(temporary));
}

// Our library searching on by itself writes what one search at a time writes, with empty
// matches, a newline skipped after $, a byte order mark and an expression left to Oniguruma.
TEST_F(RegexReplaceTest, SearchingOnInTheLibraryWritesWhatOneSearchAtATimeWrites)
{
    ASSERT_NE(library.BMatchEach, nullptr);
    const BMatchEachFunction each = library.BMatchEach;
    const struct {
        std::string text, find, replace;
        PatternOptions options;
    } cases[] = {
        {"ab\nab\n\x95\x5C" "ab", "(a)b$", "$1", Multiline},
        {"abc", "x*", "-", 0},
        {"\x95\x5C\x95\x5C\\", "\\\\", "/", Kanji},
        {"\xEF\xBB\xBF" "aa", "^a", "b", 0},
        {"foo12 bar baz7", "(foo|ba.)([0-9]*)", "<$1>", 0},
        {"aXa aa", "(?<=a)a|X", "_", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.find + " over " + c.text);
        std::string written[2];
        FileResult counts[2];
        for (const bool searchingOn : {false, true}) {
            library.BMatchEach = searchingOn ? each : nullptr;
            WriteBytes(path, c.text);
            counts[searchingOn] = Replace(c.find, c.replace, c.options);
            written[searchingOn] = ReadBytes(path);
        }
        EXPECT_EQ(counts[true], counts[false]);
        EXPECT_EQ(written[true], written[false]);
        EXPECT_GT(counts[true], 0);
    }
}

// The searches inside the library stop at the first match after an abort.
TEST_F(RegexReplaceTest, AnAbortStopsTheLibrarySearchingOn)
{
    static ReplaceJob* aborted;
    static int matches;
    static BOnwardFunction onward;
    aborted = &job;
    matches = 0;
    library.BMatchEach = [](const char* command, const char* start, const char* end, RegexHandle** handle,
                            char* message, BOnwardFunction given, void* context, unsigned flags) {
        onward = given;
        return ::BMatchEach(command, start, end, handle, message,
                            [](void* writer, const RegexHandle* match) {
                                if (++matches == 100)
                                    aborted->AbortRequested = true;
                                return onward(writer, match);
                            },
                            context, flags);
    };
    const std::string text(10000, 'a');
    WriteBytes(path, text);
    EXPECT_EQ(Replace("a", "b"), Cancel);
    EXPECT_EQ(matches, 100);
    EXPECT_EQ(ReadBytes(path), text);
    EXPECT_FALSE(FileExists(temporary));
}

TEST_F(RegexReplaceTest, BackUpAsForLiteralPatterns)
{
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        job.BackUp = true;
        WriteBytes(path, "one two");
        WriteBytes(backup, "older backup");
        EXPECT_EQ(Replace("t(w)o", "2$1"), 1);
        EXPECT_EQ(ReadBytes(path), "one 2w");
        EXPECT_EQ(ReadBytes(backup), "one two");
    }
}

TEST_F(RegexReplaceTest, CommitFailuresAreWriteErrors)
{
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        job.BackUp = true;
        WriteBytes(path, "abc");
        WriteBytes(backup, "older backup");
        SetReadOnly(path, true);
        EXPECT_EQ(Replace("b", "x"), WriteErr);
        SetReadOnly(path, false);
        EXPECT_EQ(ReadBytes(path), "abc");
        EXPECT_EQ(ReadBytes(backup), "older backup");
        EXPECT_FALSE(FileExists(temporary));

        MakeFolder(temporary);
        EXPECT_EQ(Replace("b", "x"), WriteErr);
        EXPECT_EQ(ReadBytes(path), "abc");
        EXPECT_EQ(ReadBytes(backup), "older backup");
        std::filesystem::remove(temporary);
    }
}

namespace {

// Lines of an identifier and a double-byte character whose second byte is a backslash: a
// text large enough to be mapped rather than read.
constexpr int LargeLines = 40000;

std::string LargeText(const std::function<std::string(const std::string& number)>& identifier)
{
    std::string text;
    for (int line = 0; line < LargeLines; ++line)
        text += identifier(std::to_string(line)) + " \x95\x5C\r\n";
    return text;
}

}  // namespace

TEST_F(RegexReplaceTest, LargeFilesAreRewrittenAsTheyAreSearched)
{
    const std::string text = LargeText([](const std::string& n) { return "id" + n; });
    const struct {
        const char* replace;
        std::string result;
    } cases[] = {
        {"[$0][$1]", LargeText([](const std::string& n) { return "[id" + n + "][" + n + "]"; })},
        {"$1", LargeText([](const std::string& n) { return n; })},
    };
    const BSetOutputFunction handOver = library.BSetOutput;
    for (const int bregexp : {Own, ByLibrary})
        for (const BSetOutputFunction setOutput : {handOver, BSetOutputFunction{}})
            for (const auto& c : cases) {
                SCOPED_TRACE(testing::Message() << c.replace << ", Bregexp " << bregexp
                                                << (setOutput ? "" : ", kept whole"));
                settings.Bregexp = bregexp;
                library.BSetOutput = setOutput;
                WriteBytes(path, text);
                EXPECT_EQ(Replace("id(\\d+)", c.replace), LargeLines);
                EXPECT_TRUE(ReadBytes(path) == c.result);
                EXPECT_FALSE(FileExists(temporary));
            }
}

// A large text whose first MiB can only be Shift-JIS, with bytes that form no character
// further on: the search takes the text as it is there, around them.
TEST_F(RegexReplaceTest, BytesThatFormNoCharacterFarIntoALargeTextAreSearchedAsOniguruma)
{
    std::string text, expected;
    FileResult lines = 0;
    for (; text.size() < (std::size_t{3} << 20); ++lines) {
        // \x95\x5C is a character whose second byte is a backslash; \x81 before a digit
        // forms none, and the digit after it is a character of its own.
        const std::string digit = std::to_string(lines % 10);
        const std::string broken = lines == 200000 ? "\x81" : "";
        text += "\x95\x5C a" + broken + digit + " x\n";
        expected += "\x95\x5C a" + broken + "<" + digit + ">\n";
    }
    WriteBytes(path, text);
    EXPECT_EQ(Replace("(\\d) x", "<$1>"), lines);
    EXPECT_TRUE(ReadBytes(path) == expected);
}

#ifndef _WIN32

// Natively another program may cut a mapped file short; on Windows the system refuses that.
TEST_F(RegexReplaceTest, ALargeFileCutShortWhileSearchedIsLeftAsItWasLeft)
{
    CountCalls({library.BMatch, library.BSubst, library.BRegfree});
    const std::string text = LargeText([](const std::string& n) { return "id" + n; });
    const auto cut = [&] { ASSERT_EQ(::truncate(path.c_str(), 4096), 0); };
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        job.BackUp = true;
        WriteBytes(path, text);
        beforeMatch = [&](int call) {
            if (call == 10)
                cut();
        };
        beforeSubst = cut;
        EXPECT_EQ(Replace("id(\\d+)", "$1"), WriteErr) << "Bregexp " << bregexp;
        EXPECT_TRUE(ReadBytes(path) == text.substr(0, 4096));
        EXPECT_FALSE(FileExists(temporary));
        EXPECT_FALSE(FileExists(backup));
    }
}

TEST_F(RegexReplaceTest, ANewTextThatDoesNotFitIsAWriteError)
{
    const std::string text = LargeText([](const std::string& n) { return "id" + n; });
    for (const int bregexp : {Own, ByLibrary}) {
        settings.Bregexp = bregexp;
        WriteBytes(path, text);
        {
            const FileSizeLimit limit(text.size());
            EXPECT_EQ(Replace("id(\\d+)", "[$0]"), WriteErr) << "Bregexp " << bregexp;
        }
        EXPECT_TRUE(ReadBytes(path) == text);
        EXPECT_FALSE(FileExists(temporary));
    }
}

#endif
