// The native command end to end: the real program, copied with the regular-expression
// library into a folder of its own (where it keeps its settings), run in a working folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/engine/ExpectedLog.h"
#include "tests/engine/fixtures/EncodingFolder.h"
#include "tests/support/TestFiles.h"

namespace {

using Arguments = std::vector<std::string>;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class NativeCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        program_ = home_ / "tarvelox";
        std::filesystem::copy_file(TARVELOX_PROGRAM, program_);
        std::filesystem::copy_file(TARVELOX_REGEX_LIBRARY, home_ / "libbregexp.so");
    }

    Outcome Run(const Arguments& arguments)
    {
        const std::string out = home_ / "stdout", err = home_ / "stderr";
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(work_.Path().c_str()) != 0)
                ::_exit(100);
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            std::vector<char*> argv{program_.data()};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(program_.c_str(), argv.data());
            ::_exit(101);
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
    }
    std::string Work(const std::string& name) const { return work_ / name; }
    std::string LogLine(const std::string& name, const std::string& column) const
    {
        return ExpectedLogLine(Work(name), column);
    }

    TempFolder home_;
    TempFolder work_;
    std::string program_;
};

TEST_F(NativeCommandTest, RewritesNamedFilesAndFoldersAndLeavesTheSettingsAlone)
{
    const std::string settings = "[MAIN]\r\nFind=old\r\nBackUp=0\r\n[SETTING]\r\nMemLast=1\r\nSubEntry=0\r\n";
    WriteBytes(home_ / "Tarvelox.ini", settings);
    MakeFolder(Work("d"));
    MakeFolder(Work("d/sub"));
    WriteBytes(Work("a.txt"), "abc\r\n\x95\x5c" "abc\n");
    WriteBytes(Work("d/b.TXT"), "xabcx");
    WriteBytes(Work("d/c.dat"), "abc");
    WriteBytes(Work("d/sub/e.txt"), "abc");
    WriteBytes(Work("nul.txt"), std::string("abc\0", 4));

    const Outcome outcome = Run({"-Fabc", "-RXY", "a.txt", "d", "missing.txt", "nul.txt"});

    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "XY\r\n\x95\x5c" "XY\n");
    EXPECT_EQ(ReadBytes(Work("d/b.TXT")), "xXYx");
    EXPECT_EQ(ReadBytes(Work("d/c.dat")), "abc");
    EXPECT_EQ(ReadBytes(Work("d/sub/e.txt")), "abc");
    EXPECT_FALSE(FileExists(Work("a.txt.bak")));
    EXPECT_EQ(ReadBytes(Work("replace.log")), ExpectedLogHeader + LogLine("a.txt", "       2") +
                                                  LogLine("d/b.TXT", "       1") + LogLine("nul.txt", "  NoText") +
                                                  ExpectedLogTotals("          3"));
    EXPECT_EQ(ReadBytes(home_ / "Tarvelox.ini"), settings);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST_F(NativeCommandTest, FullAutomaticRunWithAListAndBackups)
{
    WriteBytes(Work("my.lst"), "a\tb\t\r\n[0-9]+\t#\tE\r\n");
    WriteBytes(Work("names"), "x.txt\ny.txt\n");
    WriteBytes(Work("x.txt"), "a1a22");
    WriteBytes(Work("y.txt"), "none");

    const Outcome outcome = Run({"-A", "-B", "-Lmy.lst", "@names"});

    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("x.txt")), "b#b#");
    EXPECT_EQ(ReadBytes(Work("x.txt.bak")), "a1a22");
    EXPECT_EQ(ReadBytes(Work("y.txt.bak")), "none");
    EXPECT_EQ(ReadBytes(Work("replace.log")), ExpectedLogHeader + LogLine("x.txt", "       4") +
                                                  LogLine("y.txt", "       0") + ExpectedLogTotals("          4"));
}

TEST_F(NativeCommandTest, ARunThatCannotStartOrCannotLogExitsWithTwo)
{
    std::filesystem::remove(home_ / "libbregexp.so");
    WriteBytes(Work("my.lst"), "a\tb\t\r\n[0-9]+\t#\tE\r\n");
    WriteBytes(Work("x.txt"), "a1");

    Outcome outcome = Run({"-A", "-Lmy.lst", "x.txt"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("regular-expression library"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("x.txt")), "a1");
    EXPECT_FALSE(FileExists(Work("replace.log")));

    // Without the library a regular-expression option is not applied: the text is literal.
    MakeFolder(Work("replace.log"));
    outcome = Run({"-F[0-9]", "-R#", "-Oe", "x.txt"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("replace.log"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("x.txt")), "a1");
}

// The README's first run: the characters whose second byte is 0x5C come through whole
// while every backslash of the paths is replaced.
TEST_F(NativeCommandTest, SamplesAreRewrittenAndTheirDoubleByteCharactersKept)
{
    std::filesystem::copy(TARVELOX_SAMPLES "/files", work_.Path(), std::filesystem::copy_options::recursive);
    const std::string news = ReadBytes(Work("news.txt"));

    const Outcome outcome = Run({"-A", "-B", "-L" TARVELOX_SAMPLES "/replace.lst", "."});

    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("news.txt")), "新社名からのお知らせ\n"
                                           "新しい表計算ソフトの機能と性能を紹介します。\n"
                                           "保存先: D:/ソフト/能力表/2023年版\n"
                                           "価格: ￥12800、保守: ￥3000\n");
    EXPECT_EQ(ReadBytes(Work("news.txt.bak")), news);
    EXPECT_EQ(ReadBytes(Work("docs/manual.txt")), "新社名 表計算ソフト 取扱説明書\r\n"
                                                  "第1章 表の作成\r\n"
                                                  "ファイルは C:/データ/表.csv に保存されます。\r\n"
                                                  "Copyright 2024 新社名株式会社\r\n");
    EXPECT_EQ(ReadBytes(Work("notes.dat")), "旧社名 社内メモ\r\n");
    EXPECT_TRUE(ReadBytes(Work("replace.log")).ends_with(ExpectedLogTotals("         17")));
}

TEST_F(NativeCommandTest, UsageTextAndItsExitStatus)
{
    const struct {
        Arguments arguments;
        int status;
        bool onOut;
    } cases[] = {{{}, 2, false}, {{"-h"}, 0, true}, {{"x", "--help"}, 0, true}};
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, c.status);
        const std::string& usage = c.onOut ? outcome.out : outcome.err;
        EXPECT_TRUE(usage.starts_with("Usage: tarvelox")) << usage;
        EXPECT_NE(usage.find(home_ / "Tarvelox.ini"), std::string::npos);
        EXPECT_FALSE(FileExists(Work("replace.log")));
    }
}

}  // namespace

namespace {

class EncodingCommandTest : public NativeCommandTest {
protected:
    void SetUp() override
    {
        NativeCommandTest::SetUp();
        WriteCopies();
    }
    void WriteCopies()
    {
        WriteBytes(Work("list.lst"), encoding_fixture::ReplaceList);
        encoding_fixture::WriteCopies(work_);
    }
    Outcome RunWith(const std::string& encoding)
    {
        Arguments arguments{"-A1", "-B0", "-L" + Work("list.lst")};
        if (!encoding.empty())
            arguments.push_back(encoding);
        for (const std::string& name : encoding_fixture::CopyNames())
            arguments.push_back(Work(name));
        return Run(arguments);
    }
};

TEST_F(EncodingCommandTest, EachFileIsRewrittenInItsOwnEncoding)
{
    for (const std::string option : {"", "--encoding=auto"}) {
        WriteCopies();
        const Outcome outcome = RunWith(option);
        // The ISO-2022-JP copy is a file left alone: the run did not do all it was asked.
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        encoding_fixture::ExpectCopiesRewritten(work_);
        EXPECT_EQ(ReadBytes(Work("replace.log")), encoding_fixture::ExpectedRunLog(Work("")));
    }
}

TEST_F(EncodingCommandTest, AFixedEncodingOrAWrongOne)
{
    Outcome outcome = RunWith("--encoding=sjis");
    EXPECT_EQ(ReadBytes(Work("sjis.txt")), encoding_fixture::ShiftJisAfter);
    EXPECT_EQ(ReadBytes(Work("utf8.txt")), encoding_fixture::Utf8Before);

    WriteCopies();
    WriteBytes(home_ / "Tarvelox.ini", "[PROCESS]\r\nShiftJisOnly=1\r\n");
    outcome = RunWith("");
    EXPECT_EQ(ReadBytes(Work("utf8.txt")), encoding_fixture::Utf8Before);
    outcome = RunWith("--encoding=utf8");
    EXPECT_EQ(ReadBytes(Work("utf8.txt")), encoding_fixture::Utf8After);

    WriteCopies();
    std::filesystem::remove(Work("replace.log"));
    outcome = RunWith("--encoding=latin1");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("--encoding"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("sjis.txt")), encoding_fixture::ShiftJisBefore);
    EXPECT_FALSE(FileExists(Work("replace.log")));
}

}  // namespace
