// The native command end to end (NativeCommandFixture).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/fixtures/EncodingFolder.h"
#include "tests/cli/NativeCommandFixture.h"
#include "tests/support/TestFiles.h"

namespace {

// While it lasts, a write beyond `bytes` into a file fails (EFBIG) instead of stopping the
// program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : signal_(::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        ::signal(SIGXFSZ, signal_);
    }

private:
    rlimit before_{};
    void (*signal_)(int);
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

    const Outcome outcome = Run({"-Fabc", "-RXY", "--log=replace.log", "a.txt", "d", "missing.txt", "nul.txt"});

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
    EXPECT_EQ(outcome.out, "a.txt:2\nd/b.TXT:1\nnul.txt: NoText (holds a NUL byte: not a text file)\n");
    EXPECT_EQ(outcome.err, "tarvelox: missing.txt: no such file or folder\n"
                           "tarvelox: 2 of 3 files changed, 3 replacements, 1 failed, 1 left out by the extension list\n");
}

TEST_F(NativeCommandTest, FullAutomaticRunWithAListAndBackups)
{
    WriteBytes(Work("my.lst"), "a\tb\t\r\n[0-9]+\t#\tE\r\n");
    WriteBytes(Work("names"), "x.txt\ny.txt\n");
    WriteBytes(Work("x.txt"), "a1a22");
    WriteBytes(Work("y.txt"), "none");

    const Outcome outcome = Run({"-A", "-B", "-Lmy.lst", "--log", "replace.log", "@names"});

    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("x.txt")), "b#b#");
    EXPECT_EQ(ReadBytes(Work("x.txt.bak")), "a1a22");
    EXPECT_EQ(ReadBytes(Work("y.txt.bak")), "none");
    EXPECT_EQ(ReadBytes(Work("replace.log")), ExpectedLogHeader + LogLine("x.txt", "       4") +
                                                  LogLine("y.txt", "       0") + ExpectedLogTotals("          4"));
}

// Before any file is opened the patterns are checked; a run that cannot do its job says
// why in one line, ends with 2 and leaves every file, backup and log as they were.
TEST_F(NativeCommandTest, ARunThatCannotDoItsJobTouchesNothingAndSaysWhy)
{
    WriteBytes(Work("x.txt"), "x.y a1");
    WriteBytes(Work("empty.lst"), "");
    MakeFolder(Work("folder.lst"));
    WriteBytes(Work("regex.lst"), "a\tb\t\r\n[0-9]+\t#\tE\r\n");
    const struct {
        Arguments arguments;
        bool library;
        const char* why;
    } cases[] = {
        {{"-A", "-B", "-L../nosuch.lst", "."}, true, "the replace list ../nosuch.lst was not found"},
        {{"-A", "-B", "-Lfolder.lst", "."}, true, "the replace list folder.lst cannot be read"},
        {{"-A", "-B", "-Lempty.lst", "."}, true, "the replace list empty.lst holds no pattern"},
        {{"-A", "-Lregex.lst", "x.txt"}, false, "a pattern is a regular expression, but the regular-expression "
                                                "library could not be loaded"},
        // Never the expression taken for literal text.
        {{"-Oe", "-F.", "-RZ", "x.txt"}, false, "a pattern is a regular expression, but the regular-expression "
                                                "library could not be loaded"},
        {{"-Oek", "-F(abc", "-B", "x.txt"}, true, "the regular-expression library does not accept (abc: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::filesystem::remove(home_ / "libbregexp.so");
        if (c.library)
            std::filesystem::copy_file(TARVELOX_REGEX_LIBRARY, home_ / "libbregexp.so");

        const Outcome outcome = Run(c.arguments);

        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.starts_with(std::string("tarvelox: ") + c.why)) << outcome.err;
        EXPECT_TRUE(outcome.err.ends_with("; nothing was changed\n")) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_EQ(ReadBytes(Work("x.txt")), "x.y a1");
        EXPECT_FALSE(FileExists(Work("x.txt.bak")));
        EXPECT_FALSE(FileExists(Work("replace.log")));
    }
}

// A log that cannot be written is found out before any file is touched, as exit status 2
// promises.
TEST_F(NativeCommandTest, ALogThatCannotBeWrittenExitsWithTwoAndTouchesNothing)
{
    WriteBytes(Work("x.txt"), "a1");
    MakeFolder(Work("replace.log"));
    for (const char* log : {"--log=replace.log", "--log=no/such/folder.log"}) {
        const Outcome outcome = Run({"-Fa", "-R#", "-B", log, "x.txt"});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find(": the log cannot be written; nothing was changed"), std::string::npos)
            << outcome.err;
        EXPECT_EQ(ReadBytes(Work("x.txt")), "a1");
        EXPECT_FALSE(FileExists(Work("x.txt.bak")));
    }
}

// Once files are changed, a log that cannot be written is a failure (1), not "nothing was
// done" (2), for a run and an undo alike; a log the command made is not left cut short.
TEST_F(NativeCommandTest, ALogThatCannotBeWrittenAfterTheFilesChangedIsAFailure)
{
    for (const bool undo : {false, true})
        for (const char* log : {"--log=/dev/full", "--log=new.log"}) {
            WriteBytes(Work("x.txt"), "a1");
            if (undo)
                ASSERT_EQ(Run({"-Fa", "-R#", "x.txt"}).status, 0);
            Outcome outcome;
            {
                const FileSizeLimit limit(200);  // a log takes 280 bytes
                outcome = Run(undo ? Arguments{"--undo", log} : Arguments{"--no-undo", "-Fa", "-R#", log, "x.txt"});
            }
            EXPECT_EQ(outcome.status, 1) << undo << log;
            EXPECT_NE(outcome.err.find(": the log could not be written\n"), std::string::npos) << outcome.err;
            EXPECT_EQ(ReadBytes(Work("x.txt")), undo ? "a1" : "#1");
            EXPECT_FALSE(FileExists(Work("new.log")));
        }
}

// The log is written at the end of the run: a file named to be rewritten that is the log,
// under any name, is refused, and the log of an earlier run that a walk meets is no file
// of the run's.
TEST_F(NativeCommandTest, TheLogIsNeverOneOfTheFilesRewritten)
{
    MakeFolder(Work("d"));
    WriteBytes(Work("d/x.txt"), "a1");
    WriteBytes(Work("keep.txt"), "a precious");
    ASSERT_EQ(::symlink("keep.txt", Work("link.txt").c_str()), 0);
    for (const char* named : {"keep.txt", "link.txt"}) {
        const Outcome outcome = Run({"-Fa", "-R#", "--log=keep.txt", "d", named});
        EXPECT_EQ(outcome.status, 2) << named;
        EXPECT_NE(outcome.err.find("a file to rewrite: the log would take its place; nothing was changed"),
                  std::string::npos)
            << outcome.err;
        EXPECT_EQ(ReadBytes(Work("keep.txt")), "a precious");
        EXPECT_EQ(ReadBytes(Work("d/x.txt")), "a1");
    }
    for (int run = 0; run < 2; ++run) {
        WriteBytes(Work("d/x.txt"), "a1");
        const Outcome outcome = Run({"-Fa", "-R#", "-E*.*", "--log=d/replace.log", "d"});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(ReadBytes(Work("d/x.txt")), "#1");
        EXPECT_EQ(outcome.out.find("replace.log"), std::string::npos) << outcome.out;
    }
}

// Nor does the log take the place of the backup the run makes (there already or not), of
// the replace list it reads or of a file-name list.
TEST_F(NativeCommandTest, TheLogNeverTakesThePlaceOfWhatTheRunReadsOrKeeps)
{
    WriteBytes(Work("fix.lst"), "a\t#\t\r\n");
    WriteBytes(Work("files"), "x.txt\n");
    const struct {
        Arguments arguments;
        const char* clash;
        const char* kept;
    } cases[] = {
        {{"-B", "-Fa", "-R#", "--log=x.txt.bak", "x.txt"}, "x.txt.bak, the backup of a file to rewrite", nullptr},
        {{"-B", "-Fa", "-R#", "--log=./x.txt.bak", "x.txt"}, "x.txt.bak, the backup of a file to rewrite", "before"},
        {{"-A", "-L./fix.lst", "--log=fix.lst", "x.txt"}, "./fix.lst, the replace list", nullptr},
        {{"-Fa", "-R#", "--log=files", "@files"}, "files, a file-name list", nullptr},
    };
    for (const auto& c : cases) {
        WriteBytes(Work("x.txt"), "a1");
        std::filesystem::remove(Work("x.txt.bak"));
        if (c.kept)
            WriteBytes(Work("x.txt.bak"), c.kept);
        const Outcome outcome = Run(c.arguments);

        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find(std::string(" is ") + c.clash + ": the log would take its place; nothing was changed"),
                  std::string::npos)
            << outcome.err;
        EXPECT_EQ(ReadBytes(Work("x.txt")), "a1");
        EXPECT_EQ(FileExists(Work("x.txt.bak")) ? ReadBytes(Work("x.txt.bak")) : "none", c.kept ? c.kept : "none");
        EXPECT_EQ(ReadBytes(Work("fix.lst")), "a\t#\t\r\n");
        EXPECT_EQ(ReadBytes(Work("files")), "x.txt\n");
    }
}

// A request the run would ignore, or a pattern it lacks, is refused before anything is
// touched: one line naming it, exit status 2.
TEST_F(NativeCommandTest, WhatWouldBeIgnoredOrIsMissingIsRefused)
{
    WriteBytes(Work("a.txt"), "aAa");
    WriteBytes(Work("0"), "x file named 0");
    WriteBytes(Work("l.lst"), "a\tb\t\r\n");
    const struct {
        Arguments arguments;
        const char* why;
    } cases[] = {
        {{"-Oi", "-Fa", "-Rb", "a.txt"}, "-Oi is an option of regular expressions, and 'e' is not given"},
        {{"-Ocm", "-Fa", "-Rb", "a.txt"}, "-Om is an option of regular expressions"},
        {{"-Ok", "-Fa", "-Rb", "a.txt"}, "-Ok is an option of regular expressions"},
        {{"-Oec", "-Fa", "-Rb", "a.txt"}, "-Oc is an option of literal texts, and 'e' makes a regular expression"},
        {{"-Ose", "-Fa", "-Rb", "a.txt"}, "-Os is an option of literal texts"},
        {{"-F", "", "-Rb", "a.txt"}, "the find text is empty"},
        {{"-F\\|\\|", "-Rb", "a.txt"}, "the find text is empty"},
        {{"-Rb", "a.txt"}, "there is nothing to find"},
        {{"a.txt"}, "there is nothing to find"},
        {{"-Ll.lst", "-Fa", "-Rb", "a.txt"}, "-L names the replace list that -A runs, and -A is not given"},
        {{"-A", "-Ll.lst", "-Fa", "a.txt"}, "-F and -R are not used with -A"},
        {{"-A", "-Ll.lst", "-Rb", "a.txt"}, "-F and -R are not used with -A"},
        {{"-A", "-Ll.lst", "-Oc", "a.txt"}, "-O is not used with -A"},
        {{"-Fa", "-Rb", "--backup", "0", "a.txt"}, "option '--backup' takes its 0 or 1 attached (--backup=0)"},
        {{"-Fa", "-Rb", "-B", "1", "a.txt"}, "option '-B' takes its 0 or 1 attached (-B1)"},
        {{"-Fa", "-Rb", "-A", "0", "a.txt"}, "option '-A' takes its 0 or 1 attached (-A0)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Outcome outcome = Run(c.arguments);

        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.starts_with(std::string("tarvelox: ") + c.why)) << outcome.err;
        EXPECT_EQ(ReadBytes(Work("a.txt")), "aAa");
        EXPECT_EQ(ReadBytes(Work("0")), "x file named 0");
        EXPECT_FALSE(FileExists(Work("a.txt.bak")));
    }
    // Written as the message says, the file named 0 is a file.
    EXPECT_EQ(Run({"-Fx", "-Ry", "-B0", "./0"}).status, 0);
    EXPECT_EQ(ReadBytes(Work("0")), "y file named 0");
}

// With no file named, a text piped in is filtered to standard output in its own encoding.
TEST_F(NativeCommandTest, WithNoFileNamedStandardInputIsFiltered)
{
    const std::string sjis = "\x95\x5C\\x \x8B\x8C\x8E\xD0\r\n";  // 表\x 旧社
    Outcome outcome = Filter({"-F\\", "-R/"}, sjis);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "\x95\x5C/x \x8B\x8C\x8E\xD0\r\n");
    EXPECT_EQ(outcome.err, "");

    outcome = Filter({"-Fzzz", "-Ry"}, "nothing\n");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "nothing\n");

    // A text the run cannot take is passed on as it came, and said so.
    outcome = Filter({"-Fa", "-Rb"}, std::string("a\0a", 3));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, std::string("a\0a", 3));
    EXPECT_EQ(outcome.err, "tarvelox: standard input: NoText (holds a NUL byte: not a text file); it is passed on "
                           "unchanged\n");

    outcome = Filter({"-n", "-Fa", "-Rb"}, "a");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
}

// Stopped while its input waits for more, or when its reader goes away, the filter ends at
// once with the signal's status, and leaves no copy of the input behind.
TEST_F(NativeCommandTest, AStoppedFilterEndsAtOnceAndLeavesNothing)
{
    MakeFolder(Work("tmp"));
    // Its input stays open: only the signal ends the filter.
    int input[2];
    ASSERT_EQ(::pipe(input), 0);
    const std::string tmp = Work("tmp"), state = home_ / "state";
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(input[0], 0);
        ::close(input[1]);
        ::dup2(::open("/dev/null", O_WRONLY), 1);
        if (::setenv("TMPDIR", tmp.c_str(), 1) != 0 || ::setenv("XDG_STATE_HOME", state.c_str(), 1) != 0)
            ::_exit(100);
        ::execl(program_.c_str(), program_.c_str(), "-Fa", "-Rb", nullptr);
        ::_exit(101);
    }
    ::close(input[0]);
    ASSERT_EQ(::write(input[1], "abc", 3), 3);
    ::usleep(500000);
    ::kill(child, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    for (int tries = 0; tries < 30 && (ended = ::waitpid(child, &status, WNOHANG)) == 0; ++tries)
        ::usleep(100000);
    ::close(input[1]);
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    EXPECT_EQ(ended, child) << "still waiting for its input";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM) << status;
    EXPECT_TRUE(std::filesystem::is_empty(tmp));

    WriteBytes(Work("long.txt"), std::string(1 << 22, 'a'));
    const std::string reader = "{ TMPDIR='" + tmp + "' XDG_STATE_HOME='" + state + "' '" + program_ + "' -Fa -Rb <'" +
                               Work("long.txt") + "' 2>'" + Work("tmp/err") + "'; echo $? >'" + Work("tmp/status") +
                               "'; } | head -c 1 >/dev/null";
    ASSERT_EQ(std::system(reader.c_str()), 0);
    EXPECT_EQ(ReadBytes(Work("tmp/status")), std::to_string(128 + SIGPIPE) + "\n");
    EXPECT_EQ(ReadBytes(Work("tmp/err")), "");
    std::filesystem::remove(Work("tmp/err"));
    std::filesystem::remove(Work("tmp/status"));
    for (const auto& entry : std::filesystem::directory_iterator(tmp))
        ADD_FAILURE() << entry.path() << " left";
}

// A name that names nothing, a folder that cannot be read and a link to nothing met in a
// walk: one line each, exit status 1, and every file around them is processed.
TEST_F(NativeCommandTest, NamesPassedOverAreToldAndTheFilesAroundThemProcessed)
{
    MakeFolder(Work("d"));
    MakeFolder(Work("d/closed"));
    WriteBytes(Work("a.txt"), "abc");
    WriteBytes(Work("d/b.txt"), "abc");
    WriteBytes(Work("d/closed/c.txt"), "abc");
    ASSERT_EQ(::symlink("nowhere.txt", Work("d/link.txt").c_str()), 0);
    ::chmod(Work("d").c_str(), 0777);
    ::chmod(Work("d/closed").c_str(), 0);

    const Outcome outcome = RunAsOrdinaryUser({"-Fabc", "-RX", "-B0", "a.txt", "missing.txt", "d"});

    ::chmod(Work("d/closed").c_str(), 0755);
    EXPECT_EQ(outcome.status, 1);
    std::vector<std::string> lines;
    std::istringstream err(outcome.err);
    for (std::string line; std::getline(err, line);)
        lines.push_back(line);
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"tarvelox: missing.txt: no such file or folder",
                                               "tarvelox: " + Work("d/closed") + ": cannot read this folder",
                                               "tarvelox: " + Work("d/link.txt") + ": a link that leads nowhere",
                                               "tarvelox: 2 of 2 files changed, 2 replacements, 0 failed"}));
    EXPECT_EQ(ReadBytes(Work("a.txt")), "X");
    EXPECT_EQ(ReadBytes(Work("d/b.txt")), "X");
    EXPECT_EQ(ReadBytes(Work("d/closed/c.txt")), "abc");
}

// A stop signal is the abort button: the file in progress keeps its old content, no file
// after it is started, the log of the files done is written and the exit status is 128 +
// the signal.
TEST_F(NativeCommandTest, AStopSignalEndsTheRunBetweenTwoStatesOfEveryFile)
{
    constexpr int Files = 200;
    const std::string text(256 * 1024, 'a');
    // A second signal (timeout and a terminal's Ctrl+C signal the group and the program)
    // changes nothing: the stop is on its way.
    // SIGPIPE comes when the reader of standard output goes away (head, a pager).
    for (const auto [signal, times] : {std::pair{SIGINT, 1}, {SIGTERM, 1}, {SIGHUP, 1}, {SIGPIPE, 1}, {SIGINT, 2}}) {
        SCOPED_TRACE(signal);
        SCOPED_TRACE(times);
        Arguments arguments = {"-Fa", "-Rb", "-B0", "--log=replace.log"};
        for (int i = 0; i < Files; ++i) {
            arguments.push_back("f" + std::to_string(i) + ".txt");
            WriteBytes(Work(arguments.back()), text);
        }
        const pid_t child = Start(arguments);
        // Sent once the run is under way (waited for at most 30 seconds).
        for (int wait = 0; ReadBytes(Work("f0.txt")) == text && wait < 150000; ++wait)
            ::usleep(200);
        for (int time = 0; time < times; ++time)
            ::kill(child, signal);
        const Outcome outcome = Wait(child);

        EXPECT_EQ(outcome.status, 128 + signal);
        // Every line already due is there: one per changed file.
        EXPECT_EQ(static_cast<int>(std::count(outcome.out.begin(), outcome.out.end(), '\n')),
                  static_cast<int>(std::count(outcome.out.begin(), outcome.out.end(), ':')));
        int changed = 0;
        int left = 0;
        for (int i = 0; i < Files; ++i) {
            const std::string name = "f" + std::to_string(i) + ".txt";
            const std::string now = ReadBytes(Work(name));
            EXPECT_TRUE(now == text || now == std::string(text.size(), 'b')) << name;
            (now == text ? left : changed) += 1;
            EXPECT_FALSE(FileExists(Work(name + ".tarvelox.tmp"))) << name;
        }
        EXPECT_GT(changed, 0);
        EXPECT_GT(left, 0);
        // The log: two lines of header and of totals around one line a file taken; the files
        // the stop came in, one a worker at most, are logged "Cancel", when the stop was seen
        // inside them.
        const std::string log = ReadBytes(Work("replace.log"));
        const int logged = static_cast<int>(std::count(log.begin(), log.end(), '\n')) - 4;
        int cancelled = 0;
        for (std::size_t at = log.find("  Cancel\r\n"); at != std::string::npos; at = log.find("  Cancel\r\n", at + 1))
            ++cancelled;
        // One a worker at most: one worker per processor.
        EXPECT_LE(cancelled, static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u)));
        EXPECT_EQ(logged, changed + cancelled);
        EXPECT_EQ(static_cast<int>(std::count(outcome.out.begin(), outcome.out.end(), '\n')), logged);
        char expected[200];
        std::snprintf(expected, sizeof expected,
                      "tarvelox: stopped by SIG%s: %d %s changed before the stop, %d not processed\n",
                      sigabbrev_np(signal), changed, changed == 1 ? "file" : "files", left);
        EXPECT_EQ(outcome.err, expected);
    }
}

// The README's first run: the characters whose second byte is 0x5C come through whole
// while every backslash of the paths is replaced.
// Lines that cannot be written to standard output are a failure told on standard error;
// the run itself is done.
TEST_F(NativeCommandTest, AStandardOutputThatTakesNothingIsAFailure)
{
    WriteBytes(Work("a.txt"), "abc");
    ASSERT_EQ(::symlink("/dev/full", (home_ / "stdoutfull").c_str()), 0);
    const pid_t child = Start({"-Fa", "-RX", "a.txt"}, false, "C", nullptr, "full");
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(ReadBytes(home_ / "stderrfull").find("standard output could not be written"), std::string::npos);
    EXPECT_EQ(ReadBytes(Work("a.txt")), "Xbc");
}

// A standard stream closed at start is none of the files the command opens: what goes to
// a closed standard output is lost and told, and a closed standard input has no text.
TEST_F(NativeCommandTest, AClosedStandardStreamIsNoFileTheCommandOpens)
{
    const struct {
        const char* closing;
        Arguments arguments;
        int status;
        const char* told;
    } cases[] = {
        {">&-", {"-Fa", "-RX"}, 2, "the text cannot be written to standard output"},
        {">&-", {"-Fa", "-RX", "a.txt"}, 1, "standard output could not be written"},
        {"<&-", {"-Fa", "-RX"}, 2, "standard input cannot be read"},
    };
    const std::string program = program_;
    program_ = home_ / "closing";
    for (const auto& c : cases) {
        WriteBytes(Work("a.txt"), "abc");
        WriteBytes(program_, "#!/bin/sh\nexec " + program + " \"$@\" " + c.closing + "\n");
        ::chmod(program_.c_str(), 0755);
        const Outcome outcome = c.closing[0] == '>' ? Filter(c.arguments, "abc") : Run(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.closing << outcome.err;
        EXPECT_NE(outcome.err.find(c.told), std::string::npos) << outcome.err;
        EXPECT_EQ(ReadBytes(Work("a.txt")), c.arguments.size() == 3 ? "Xbc" : "abc");
    }
}

TEST_F(NativeCommandTest, SamplesAreRewrittenAndTheirDoubleByteCharactersKept)
{
    std::filesystem::copy(TARVELOX_SAMPLES "/files", work_.Path(), std::filesystem::copy_options::recursive);
    const std::string news = ReadBytes(Work("news.txt"));

    const Outcome outcome = Run({"-A", "-B", "-L" TARVELOX_SAMPLES "/replace.lst", "--log=replace.log", "."});

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

TEST_F(NativeCommandTest, UsageVersionAndTheDefaultsInForce)
{
    Outcome outcome = Run({});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "Usage: tarvelox [option]... [file | folder | @list]...\nTry 'tarvelox --help'.\n");

    WriteBytes(home_ / "Tarvelox.ini", "[MAIN]\r\nBackUp=1\r\n[SETTING]\r\nAbleExt=*.txt;*.md\r\n");
    for (const Arguments& arguments : {Arguments{"-h"}, Arguments{"x", "--help"}}) {
        outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.out.starts_with("Usage: tarvelox")) << outcome.out;
        EXPECT_NE(outcome.out.find("(settings file " + (home_ / "Tarvelox.ini") + "):"), std::string::npos);
        EXPECT_NE(outcome.out.find("  backups        on (MAIN/BackUp=1"), std::string::npos);
        EXPECT_NE(outcome.out.find("  extensions     *.txt;*.md (SETTING/AbleExt)"), std::string::npos);
        EXPECT_NE(outcome.out.find("  128+N  stopped by signal N"), std::string::npos);
        EXPECT_FALSE(FileExists(Work("x")));
    }
    // The help's Japanese in the terminal's set.
    EXPECT_NE(Run({"-h"}, "C.UTF-8").out.find(reinterpret_cast<const char*>(u8"-F旧社名")), std::string::npos);

    outcome = Run({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.out.starts_with("tarvelox 1.")) << outcome.out;
    EXPECT_NE(outcome.out.find("regular-expression library: " + (home_ / "libbregexp.so") + "\nOniguruma 6."),
              std::string::npos)
        << outcome.out;
    std::filesystem::remove(home_ / "libbregexp.so");
    EXPECT_NE(Run({"-V"}).out.find("not found (" + (home_ / "libbregexp.so") + "); literal patterns only"),
              std::string::npos);
}

// A wrong command line touches nothing: one line names what is wrong, then where to look.
TEST_F(NativeCommandTest, AnUnknownOptionOrAMissingValueTouchesNothing)
{
    WriteBytes(Work("page0.htm"), "Copyright 2024");
    const struct {
        Arguments arguments;
        const char* line;
    } cases[] = {
        {{"--dry-runs", "-B0", "-FCopyright", "-RCOPY", "page0.htm"}, "unknown option '--dry-runs'"},
        {{"-FCopyright", "-r", "page0.htm"}, "unknown option '-r'"},
        {{"page0.htm", "-FCopyright", "-R"}, "option '-R' needs a value"},
        {{"-B2", "-FCopyright", "page0.htm"}, "option '-B' takes 0 or 1, not '2'"},
        {{"--encoding=latin1", "-FCopyright", "page0.htm"},
         "option '--encoding' takes auto, sjis, utf8 or eucjp, not 'latin1'"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, std::string("tarvelox: ") + c.line + "\nTry 'tarvelox --help'.\n");
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(ReadBytes(Work("page0.htm")), "Copyright 2024");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work_.Path()), {}), 1);
}

// Backups only when asked for: by -B or by the settings file.
TEST_F(NativeCommandTest, BackupsAreOffUnlessAskedFor)
{
    const struct {
        const char* settings;
        Arguments options;
        bool backup;
    } cases[] = {
        {nullptr, {}, false},
        {nullptr, {"-B"}, true},
        {"[MAIN]\r\nBackUp=1\r\n", {}, true},
        {"[MAIN]\r\nBackUp=1\r\n", {"--backup=0"}, false},
        {"[MAIN]\r\nBackUp=1\r\n", {"-c", "-E*.txt"}, false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(home_ / "Tarvelox.ini");
        if (c.settings)
            WriteBytes(home_ / "Tarvelox.ini", c.settings);
        WriteBytes(Work("a.txt"), "old");
        std::filesystem::remove(Work("a.txt.bak"));
        Arguments arguments = c.options;
        arguments.insert(arguments.end(), {"-Fold", "-Rnew", "a.txt"});
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(ReadBytes(Work("a.txt")), "new");
        EXPECT_EQ(FileExists(Work("a.txt.bak")), c.backup) << testing::PrintToString(c.options);
    }
}

TEST_F(NativeCommandTest, OneLineAFileOnStandardOutput)
{
    MakeFolder(Work("d"));
    WriteBytes(Work("d/a.txt"), "x");
    WriteBytes(Work("d/b.txt"), "y");
    WriteBytes(Work("d/c.dat"), "x");
    WriteBytes(Work("e.dat"), "x");
    WriteBytes(Work("n.txt"), std::string("x\0", 2));
    const Arguments arguments = {"-Fx", "-Rz", "d", "n.txt", "e.dat"};

    Outcome outcome = Run(arguments);
    // A named file passes the extension list, which sorts the files of walked folders.
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "d/a.txt:1\nn.txt: NoText (holds a NUL byte: not a text file)\ne.dat:1\n");
    EXPECT_EQ(outcome.err, "tarvelox: 2 of 4 files changed, 2 replacements, 1 failed, 1 left out by the extension list\n");

    WriteBytes(Work("d/a.txt"), "x");
    WriteBytes(Work("d/c.txt"), "\xE3\x81\x82x");  // あx in UTF-8
    // A lone first byte of a double-byte character is no text to put into a UTF-8 file.
    outcome = Run({"-v", "-Fx", "-R\x81", Work("d/a.txt"), Work("d/b.txt"), Work("d/c.txt")});
    EXPECT_EQ(outcome.out, "d/a.txt:1 (ASCII)\nd/b.txt:0 (ASCII)\n"
                           "d/c.txt: EncodeER (a replacement cannot be written in its encoding: UTF-8)\n");
    EXPECT_EQ(outcome.status, 1);

    WriteBytes(Work("d/a.txt"), "x");
    outcome = Run({"-q", "-Fx", "-Rz", "d", "n.txt"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(ReadBytes(Work("d/a.txt")), "z");
}

// A file read in an encoding that stayed a guess says so with -v and in a preview or diff;
// a Japanese find text that occurs in one reading alone decides it.
TEST_F(NativeCommandTest, AGuessedEncodingIsSaidSo)
{
    MakeFolder(Work("g"));
    MakeFolder(Work("c"));
    const auto write = [&] {
        WriteBytes(Work("g/a.txt"), "X\x8E\xD0\r\n");  // X社, or EUC-JP Xﾐ
        WriteBytes(Work("c/b.txt"), "\x90\xDD\x92\xE8X");  // 設定X: Shift-JIS alone
    };
    const struct {
        Arguments options;
        std::string out, err;
    } cases[] = {
        {{"-v", "-FX", "-RY"}, "g/a.txt:1 (Shift-JIS, guessed)\nc/b.txt:1 (Shift-JIS)\n", ""},
        {{"-FX", "-RY"}, "g/a.txt:1\nc/b.txt:1\n", ""},
        {{"-n", "-FX", "-RY"}, "g/a.txt:1 (Shift-JIS, guessed)\nc/b.txt:1\n", ""},
        // A diff shows no line of a changed file but of one it guessed.
        {{"--diff", "-FX", "-RY", "--bytes"}, "", "g/a.txt:1 (Shift-JIS, guessed)\ntarvelox: "},
        {{"-v", "-F\x8E\xD0", "-R\x8E\xD2"}, "g/a.txt:1 (Shift-JIS)\nc/b.txt:0 (Shift-JIS)\n", ""},
    };
    for (const auto& c : cases) {
        write();
        Arguments arguments = c.options;
        arguments.insert(arguments.end(), {"g/a.txt", "c/b.txt"});
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        if (!c.out.empty()) {
            EXPECT_EQ(outcome.out, c.out) << testing::PrintToString(c.options);
        }
        EXPECT_TRUE(outcome.err.starts_with(c.err)) << outcome.err;
    }
}

// From a UTF-8 terminal the texts become code page 932 whole, or stay UTF-8 for the files
// that can hold what code page 932 cannot.
TEST_F(NativeCommandTest, TextsFromAUtf8Terminal)
{
    const std::string text = "旧社名㈱①～髙 and \x95\x5c\r\n";
    WriteBytes(Work("a.txt"), text);
    const auto utf8 = [](const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); };

    Outcome outcome = Run({"-F", utf8(u8"旧社名㈱①～髙"), "-R", utf8(u8"新①"), "a.txt"}, "C.UTF-8");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "新① and \x95\x5c\r\n");

    // Bytes that are not UTF-8 are taken as they are.
    outcome = Run({"-F\x95\x5c", "-R\x95\x5c\x95\x5c", "a.txt"}, "C.UTF-8");
    EXPECT_EQ(ReadBytes(Work("a.txt")), "新① and \x95\x5c\x95\x5c\r\n");

    // --bytes and the C locale take the UTF-8 bytes themselves, which the file does not hold.
    for (const auto& [option, locale] : {std::pair{"--bytes", "C.UTF-8"}, std::pair{"-q", "C"}}) {
        outcome = Run({option, "-F", utf8(u8"新"), "-R", "x", "a.txt"}, locale);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(ReadBytes(Work("a.txt")), "新① and \x95\x5c\x95\x5c\r\n") << option;
    }

    // A character code page 932 cannot hold stays UTF-8, for the files that can hold it: a
    // Shift-JIS file cannot take the replacement, and says so; a UTF-8 file takes it.
    outcome = Run({"-F", utf8(u8"新"), "-R", utf8(u8"caf\u00e9"), "a.txt"}, "C.UTF-8");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "a.txt: EncodeER (a replacement cannot be written in its encoding: Shift-JIS)\n");
    EXPECT_EQ(ReadBytes(Work("a.txt")), "新① and \x95\x5c\x95\x5c\r\n");
    WriteBytes(Work("page.html"), utf8(u8"<p>Cafe \u65b0</p>\n"));
    outcome = Run({"-F", "Cafe", "-R", utf8(u8"Caf\u00e9 \U0001F389"), "page.html"}, "C.UTF-8");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("page.html")), utf8(u8"<p>Caf\u00e9 \U0001F389 \u65b0</p>\n"));
    // Its look-alike in code page 932 is never taken for ¥; every file UTF-8, ¥ is itself.
    outcome = Run({"-F", "Cafe", "-R", utf8(u8"\u00a5"), "page.html"}, "C.UTF-8");
    EXPECT_EQ(outcome.status, 2);
    outcome = Run({"--encoding=utf8", "-F", "p>", "-R", utf8(u8"\u00a5>"), "page.html"}, "C.UTF-8");
    EXPECT_EQ(ReadBytes(Work("page.html")), utf8(u8"<\u00a5>Caf\u00e9 \U0001F389 \u65b0</\u00a5>\n"));
}

// Every file below the working folder with its bytes and its time of change.
std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> Tree(const std::string& folder)
{
    std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        tree[entry.path().string()] = {entry.is_regular_file() ? ReadBytes(entry.path().string()) : "",
                                       entry.last_write_time()};
    return tree;
}

// The preview is the run: the same lines, the same counts, and nothing written.
TEST_F(NativeCommandTest, APreviewCountsWhatTheRunDoesAndWritesNothing)
{
    std::filesystem::copy(TARVELOX_SAMPLES "/files", work_.Path(), std::filesystem::copy_options::recursive);
    WriteBytes(Work("n.txt"), std::string("\0", 1));
    const auto before = Tree(work_.Path());
    const Arguments arguments = {"-A", "-B", "-L" TARVELOX_SAMPLES "/replace.lst", "."};

    Arguments preview = {"-n"};
    preview.insert(preview.end(), arguments.begin(), arguments.end());
    const Outcome previewed = Run(preview);
    EXPECT_EQ(Tree(work_.Path()), before);

    const Outcome written = Run(arguments);
    // A file of a walked folder that is not text is left out, not failed.
    EXPECT_EQ(previewed.status, 0);
    EXPECT_EQ(written.status, previewed.status);
    EXPECT_EQ(written.out, previewed.out);
    EXPECT_EQ(previewed.err, "tarvelox: preview: 3 of 3 files would change, 17 replacements, 0 failed, 1 left out by "
                             "the extension list, 1 left out as not text; nothing was written\n");
    EXPECT_EQ(written.err, "tarvelox: 3 of 3 files changed, 17 replacements, 0 failed, 1 left out by the extension "
                           "list, 1 left out as not text\n");
    EXPECT_TRUE(FileExists(Work("news.txt.bak")));

    // A preview writes no log either.
    const Outcome refused = Run({"-n", "--log=replace.log", "-Fa", "news.txt"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_FALSE(FileExists(Work("replace.log")));
}

// Where the run cannot make the new text beside a file (its folder cannot be written, its
// name leaves no room for the temporary file's, a folder or a link holds that name) or its
// backup (a folder holds its name, or the name of the second name made on the way is too
// long), the preview fails the file too.
TEST_F(NativeCommandTest, APreviewFailsWhereTheRunCannotMakeItsTemporaryFile)
{
    const std::string longName = std::string(248, 'y') + ".txt";
    const std::string backedUpName = std::string(238, 'n') + ".txt";
    MakeFolder(Work("closed"));
    for (const std::string& name : {longName, std::string("closed/a.txt"), std::string("f.txt"), std::string("l.txt"),
                                    std::string("b.txt"), backedUpName})
        WriteBytes(Work(name), "old");
    MakeFolder(Work("f.txt.tarvelox.tmp"));
    std::filesystem::create_symlink("elsewhere", Work("l.txt.tarvelox.tmp"));
    MakeFolder(Work("b.txt.bak"));
    WriteBytes(Work("b.txt.bak/kept"), "kept");
    WriteBytes(Work(backedUpName + ".bak"), "older");
    ::chmod(Work("closed").c_str(), 0555);
    for (const std::string& name :
         {longName, std::string("closed/a.txt"), std::string("f.txt"), std::string("l.txt"), std::string("b.txt"), backedUpName}) {
        const Outcome previewed = RunAsOrdinaryUser({"-n", "-B", "-Fold", "-Rnew", name});
        const Outcome written = RunAsOrdinaryUser({"-B", "-Fold", "-Rnew", name});
        EXPECT_EQ(previewed.status, 1) << name;
        EXPECT_EQ(written.status, 1) << name;
        EXPECT_EQ(previewed.out, written.out) << name;
        EXPECT_NE(written.out.find(": WriteErr"), std::string::npos) << written.out;
        EXPECT_EQ(ReadBytes(Work(name)), "old");
    }
    ::chmod(Work("closed").c_str(), 0755);
    EXPECT_EQ(ReadBytes(Work(backedUpName + ".bak")), "older");
}

// --diff prints what GNU diff -u prints for the files converted to UTF-8 with iconv.
TEST_F(NativeCommandTest, TheDiffIsGnuDiffsInTheTerminalsEncoding)
{
    std::filesystem::copy(TARVELOX_SAMPLES "/files", work_.Path(), std::filesystem::copy_options::recursive);
    WriteBytes(Work("euc.txt"), "\xB5\xEC\xBC\xD2\xCC\xBE \xC9\xBD\n\xA4\xA2\n");  // 旧社名 表 / あ in EUC-JP
    std::filesystem::copy(work_.Path(), home_ / "before", std::filesystem::copy_options::recursive);
    const Arguments arguments = {"-A", "-L" TARVELOX_SAMPLES "/replace.lst", "news.txt", "docs", "euc.txt"};

    Arguments preview = {"-n", "--diff"};
    preview.insert(preview.end(), arguments.begin(), arguments.end());
    const Outcome previewed = Run(preview, "C.UTF-8");
    // The diff names each file; a line per file only with -v, so a pager is not written over.
    EXPECT_EQ(previewed.status, 0) << previewed.err;
    EXPECT_EQ(previewed.err, "tarvelox: preview: 3 of 3 files would change, 12 replacements, 0 failed; nothing was "
                             "written\n");
    preview.push_back("-v");
    EXPECT_TRUE(Run(preview, "C.UTF-8").err.starts_with("news.txt:6 (Shift-JIS)\ndocs/manual.txt:5 (Shift-JIS)\n"));
    preview.pop_back();

    Arguments diffWritten = {"--diff"};
    diffWritten.insert(diffWritten.end(), arguments.begin(), arguments.end());
    const Outcome written = Run(diffWritten, "C.UTF-8");
    EXPECT_EQ(written.out, previewed.out);

    std::string expected;
    for (const auto& [name, encoding] : {std::pair{"news.txt", "CP932"}, {"docs/manual.txt", "CP932"},
                                         {"euc.txt", "EUC-JP-MS"}}) {
        const std::string iconv = std::string("iconv -f ") + encoding + " -t UTF-8 ";
        const std::string command = "cd " + work_.Path() + " && " + iconv + (home_ / "before/") + name + " >" +
                                    (home_ / "old") + " && " + iconv + name + " >" + (home_ / "new") +
                                    " && diff -u --label a/" + name + " --label b/" + name + " " + (home_ / "old") +
                                    " " + (home_ / "new");
        std::FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            expected.append(buffer, got);
        ::pclose(pipe);
    }
    EXPECT_EQ(previewed.out, expected);
    EXPECT_NE(expected.find(reinterpret_cast<const char*>(u8"+保存先: D:/ソフト/能力表/2023年版")), std::string::npos);
}

// patch applies the diff to a copy of the files as they were, whatever their names hold:
// blanks, Japanese, in the terminal's set or in Shift-JIS bytes.
TEST_F(NativeCommandTest, PatchAppliesTheDiffToNamesWithBlanksAndJapanese)
{
    MakeFolder(Work("site"));
    const std::string names[] = {"site/entry 1.html", reinterpret_cast<const char*>(u8"site/お知らせ.txt"),
                                 "site/two  blanks.txt"};
    for (const std::string& name : names)
        WriteBytes(Work(name), "\x8B\x8C\x8E\xD0\x96\xBC\r\nline\r\n");  // 旧社名
    std::filesystem::copy(Work("site"), home_ / "site", std::filesystem::copy_options::recursive);

    for (const char* locale : {"C.UTF-8", "C"}) {
        const Outcome diff = Run({"-n", "--diff", "--bytes", "-F\x8B\x8C", "-R\x90\x56", "site"}, locale);
        ASSERT_EQ(diff.status, 0) << diff.err;
        WriteBytes(home_ / "diff", diff.out);
        std::filesystem::remove_all(home_ / "patched");
        std::filesystem::create_directory(home_ / "patched");
        std::filesystem::copy(home_ / "site", home_ / "patched/site", std::filesystem::copy_options::recursive);
        const std::string command = "cd " + (home_ / "patched") + " && patch -s -p1 <" + (home_ / "diff");
        ASSERT_EQ(std::system(command.c_str()), 0) << diff.out;
        for (const std::string& name : names)
            EXPECT_EQ(ReadBytes(home_ / ("patched/" + name)), "\x90\x56\x8E\xD0\x96\xBC\r\nline\r\n") << name;
    }
}

// sed users write \1 for a group: the own template takes it as a byte, and says so.
TEST_F(NativeCommandTest, ABackslashDigitInTheOwnTemplateIsWarnedOf)
{
    WriteBytes(Work("a.txt"), "abc");
    Outcome outcome = Run({"-Oe", "-F(b)", "-R<\\1>", "a.txt"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.err.starts_with("tarvelox: warning: \\1 in the replacement is not a group here but the byte "
                                        "0x01: write $1 for the group"))
        << outcome.err;
    EXPECT_EQ(ReadBytes(Work("a.txt")), "a<\x01>c");
    outcome = Run({"-Oe", "-F(c)", "-R\\\\1$1$$", "a.txt"});
    EXPECT_EQ(outcome.err.find("warning"), std::string::npos) << outcome.err;
    // The byte named is the one written: up to three octal digits, modulo 256; and \x
    // without a digit writes 0x00.
    for (const auto& [replace, warning] : std::vector<std::pair<std::string, std::string>>{
             {"\\400", "\\400 in the replacement is not a group here but the byte 0x00"},
             {"\\101", "\\101 in the replacement is not a group here but the byte 0x41"},
             {"<\\xg>", "\\x without a hexadecimal digit in the replacement is the byte 0x00"},
             // A dollar sign stands for itself only when doubled.
             {"US$ $1", "the $ before \" \" in the replacement is dropped here: write $$ for a dollar sign"},
             {"\x83\x41$\x83\x41", "the $ before \"\x83\x41\" in the replacement is dropped"},
             {"$1$", "the $ that ends the replacement is dropped here"}}) {
        outcome = Run({"-n", "-Oe", "-Fb", "-R" + replace, "a.txt"});
        EXPECT_NE(outcome.err.find("tarvelox: warning: " + warning), std::string::npos) << outcome.err;
    }
    // A filter is warned of as well.
    outcome = Filter({"-Oe", "-F([0-9]+)", "-RUS$ $1"}, "price 5\n");
    EXPECT_EQ(outcome.out, "price US 5\n");
    EXPECT_NE(outcome.err.find("tarvelox: warning: the $ before"), std::string::npos) << outcome.err;
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
        Arguments arguments{"-A1", "-B0", "-L" + Work("list.lst"), "--log=replace.log"};
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

// A walk never enters a repository's insides, leaves hidden entries and what .gitignore
// excludes out unless asked, and leaves out a file that is not text instead of failing;
// the summary says what was left out and why. A folder named on the command line is
// walked whatever its name.
TEST_F(NativeCommandTest, AWalkLeavesOutWhatIsNotTheUsersText)
{
    ASSERT_EQ(std::system(("git init -q " + Work("repo")).c_str()), 0);
    MakeFolder(Work("repo/sub"));
    MakeFolder(Work("repo/.hidden"));
    MakeFolder(Work("repo/build"));
    MakeFolder(Work("repo/CVS"));
    const std::map<std::string, std::string> files = {
        {"repo/a.txt", "foo"}, {"repo/sub/b.txt", "foo"}, {"repo/.env.txt", "foo"}, {"repo/.hidden/c.txt", "foo"},
        {"repo/build/d.txt", "foo"}, {"repo/x.log", "foo"}, {"repo/CVS/Entries", "foo"},
        {"repo/.gitignore", "build/\n*.log\n"}, {"repo/pic.gif", std::string("GIF\0foo", 7)},
        {"repo/.git/COMMIT_EDITMSG", "foo"}};
    for (const auto& [name, bytes] : files)
        WriteBytes(Work(name), bytes);
    // A link into the repository's folder leads to its insides too.
    ASSERT_EQ(::symlink(".git/COMMIT_EDITMSG", Work("repo/message.txt").c_str()), 0);
    auto changed = [&] {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : files)
            if (ReadBytes(Work(name)) != bytes)
                names.push_back(name);
        return names;
    };

    Outcome outcome = Run({"-E*.*", "-Ffoo", "-Rbar", "repo"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(changed(), (std::vector<std::string>{"repo/a.txt", "repo/sub/b.txt"}));
    EXPECT_EQ(outcome.err, "tarvelox: 2 of 2 files changed, 2 replacements, 0 failed, 1 left out as not text, 3 hidden "
                           "left out (--hidden takes them), 2 left out by ignore files (--no-ignore takes them), 3 "
                           "repository folders left out\n");

    outcome = Run({"-E*.*", "-Ffoo", "-Rbar", "--hidden", "--no-ignore", "repo"});
    EXPECT_EQ(changed(), (std::vector<std::string>{"repo/.env.txt", "repo/.hidden/c.txt", "repo/a.txt",
                                                   "repo/build/d.txt", "repo/sub/b.txt", "repo/x.log"}));
    EXPECT_EQ(ReadBytes(Work("repo/.git/COMMIT_EDITMSG")), "foo");
    EXPECT_EQ(ReadBytes(Work("repo/CVS/Entries")), "foo");

    // A folder the ignore files leave out is walked when named, with all it holds.
    outcome = Run({"-E*.*", "-Fbar", "-Rqux", "repo/build"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(Work("repo/build/d.txt")), "qux");
    EXPECT_EQ(ReadBytes(Work("repo/x.log")), "bar");

    // Named, the repository's folder is walked, and a binary file named is a failure.
    outcome = Run({"-E*.*", "-Ffoo", "-Rbaz", "repo/CVS", "repo/pic.gif"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(ReadBytes(Work("repo/CVS/Entries")), "baz");
    EXPECT_NE(outcome.out.find("repo/pic.gif: NoText"), std::string::npos) << outcome.out;

    // Walked from a folder below the top of the working tree, the repository's rules hold.
    WriteBytes(Work("repo/sub/y.log"), "foo");
    outcome = Run({"-E*.*", "-Ffoo", "-Rzz", "repo/sub"});
    EXPECT_EQ(ReadBytes(Work("repo/sub/y.log")), "foo");
    EXPECT_NE(outcome.err.find("1 left out by ignore files"), std::string::npos) << outcome.err;
}

namespace {

// Rewrites each file as sed -i does (a new file renamed over it) until told to stop: the
// inode numbers a run frees are taken by these new files at once.
void RewriteAsSedDoes(const std::vector<std::string>& files, const std::atomic<bool>& stop)
{
    for (std::size_t round = 0; !stop; ++round)
        for (const std::string& file : files) {
            if (stop)
                return;
            std::string text = ReadBytes(file);
            text += round % 2 ? "" : " ";
            WriteBytes(file + ".sed", text);
            std::filesystem::rename(file + ".sed", file);
        }
}

}  // namespace

// What a run stopped hard left beside a file is no text of the user's: a walk leaves it
// out, and a temporary file cut short goes once the file beside it is done, found or not;
// a preview leaves it, and the content a file had while its backup was made stays.
TEST_F(NativeCommandTest, WhatAStoppedRunLeftIsNoTextAndGoesWithItsFile)
{
    MakeFolder(Work("d"));
    WriteBytes(Work("d/a.txt"), "old");
    WriteBytes(Work("d/a.txt.tarvelox.tmp"), "half a new te");
    WriteBytes(Work("d/b.txt.tarvelox.auto"), "what b.txt held");
    for (const char* preview : {"-n", "-v"}) {
        const Outcome outcome = Run({preview, "-v", "-E*.*", "-Fzzz", "-Rx", "d"});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, "d/a.txt:0 (ASCII)\n");
        EXPECT_NE(outcome.err.find(", 2 left out as a stopped run's own"), std::string::npos) << outcome.err;
        EXPECT_EQ(FileExists(Work("d/a.txt.tarvelox.tmp")), std::string(preview) == "-n");
    }
    EXPECT_EQ(ReadBytes(Work("d/b.txt.tarvelox.auto")), "what b.txt held");
}

// Another program rewriting the files meanwhile: a file the run reports as holding nothing
// to replace was read, and does not hold the find text because the run missed it.
TEST_F(NativeCommandTest, AFileChangedByAnotherProgramIsNeverTakenForOneDone)
{
    std::vector<std::string> files;
    for (int i = 0; i < 1500; ++i) {
        files.push_back(Work("f" + std::to_string(i) + ".txt"));
        WriteBytes(files.back(), "\x8B\x8C\x8E\xD0\x96\xBC x\n");  // 旧社名
    }
    std::atomic<bool> stop{false};
    std::thread other(RewriteAsSedDoes, std::ref(files), std::cref(stop));
    const Outcome outcome = Run({"-v", "-j2", "--bytes", "-F\x8B\x8C", "-R\x90\x56", "."});
    stop = true;
    other.join();

    std::istringstream lines(outcome.out);
    std::size_t reportedUnchangedButHolding = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.ends_with(":0 (Shift-JIS)") &&
            ReadBytes(Work(line.substr(0, line.find(':')))).find("\x8B\x8C") != std::string::npos)
            ++reportedUnchangedButHolding;
    EXPECT_EQ(reportedUnchangedButHolding, 0u) << outcome.out.substr(0, 2000);
}

// Two runs at once over one tree: each run's report matches what is on disk. A file one
// reports changed holds its change; the other, which read the file before, fails it.
TEST_F(NativeCommandTest, TwoRunsAtOnceEachReportWhatIsOnDisk)
{
    for (int i = 0; i < 400; ++i)
        WriteBytes(Work("f" + std::to_string(i) + ".txt"), "aaa bbb\n");
    const pid_t first = Start({"-v", "-j2", "-Fa", "-RX", "."}, false, "C", nullptr, "-first");
    const Outcome second = Run({"-v", "-j2", "-Fb", "-RY", "."});
    const Outcome firstOutcome = Wait(first, "-first");

    for (const auto& [out, gone] : {std::pair{firstOutcome.out, 'a'}, {second.out, 'b'}}) {
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            const std::string name = line.substr(0, line.find(':'));
            if (line.find(":3 ") != std::string::npos)
                EXPECT_EQ(ReadBytes(Work(name)).find(gone), std::string::npos) << line;
        }
    }
}

// A replace list written in UTF-8 is read as UTF-8, its texts taken as -F and -R are; a list
// with option letters the format does not know or a pattern would not use (as -O refuses
// them), with nothing to find, or with a character code page 932 cannot hold, is refused
// before anything is touched.
TEST_F(NativeCommandTest, AReplaceListInUtf8)
{
    const std::string sjis = "\x8B\x8C\x8E\xD0\x96\xBC \x95\x5C foo\r\n";  // 旧社名 表 foo
    const struct {
        std::string list;
        int status;
        std::string after;
        const char* why;
    } cases[] = {
        {reinterpret_cast<const char*>(u8"旧社名\t新社名\t\r\n表\t表/\tS\r\n[a-z]+\t<$0>\tEk\r\n"), 0,
         "\x90\x56\x8E\xD0\x96\xBC \x95\x5C/ <foo>\r\n", ""},
        {"foo\tbar\tek\r\n", 2, sjis, "l.lst, line 1: 'ek' holds option letters a list does not know"},
        {"x\ty\t\r\nfoo\tbar\tEC\r\n", 2, sjis,
         "l.lst, line 2: 'EC' (-Oec): -Oc is an option of literal texts, and 'e' makes a regular expression"},
        {"foo\tbar\tSE\r\n", 2, sjis, "line 1: 'SE' (-Ose): -Os is an option of literal texts"},
        {"foo\tbar\tCi\r\n", 2, sjis, "line 1: 'Ci' (-Oci): -Oi is an option of regular expressions, and 'e' is"},
        {"\tbar\t\r\n\\|\tbar\t\r\n", 2, sjis, "l.lst holds nothing to find: the find text of every pattern"},
        // foo TAB bar CR LF in UTF-16 (little-endian, with its mark).
        {std::string("\xFF\xFE" "f\0o\0o\0\t\0b\0a\0r\0\r\0\n\0", 20), 2, sjis,
         "l.lst holds NUL bytes: a list is text in Shift-JIS or UTF-8 (is it UTF-16?)"},
        {reinterpret_cast<const char*>(u8"foo\t\u00a5\t\r\n"), 2, sjis,
         "l.lst (UTF-8), pattern 1: '\xC2\xA5' cannot be written in Shift-JIS"},
        // A text code page 932 cannot hold stays UTF-8, for the files that can hold it: a
        // Shift-JIS file cannot take the replacement.
        {reinterpret_cast<const char*>(u8"foo\tcaf\u00e9\t\r\n"), 1, sjis, "a.txt: EncodeER"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        WriteBytes(Work("l.lst"), c.list);
        WriteBytes(Work("a.txt"), sjis);
        const Outcome outcome = Run({"-A", "-Ll.lst", "a.txt"}, "C.UTF-8");
        EXPECT_EQ(outcome.status, c.status) << outcome.err;
        EXPECT_EQ(ReadBytes(Work("a.txt")), c.after);
        EXPECT_NE((outcome.out + outcome.err).find(c.why), std::string::npos) << outcome.err;
    }
}

// A name is bytes to the native command: café.txt named or walked is café.txt, and
// cafe.txt, which a best-fit conversion would take for it, is never touched.
TEST_F(NativeCommandTest, ANameIsNeverTakenForItsLookAlike)
{
    const std::string cafe = reinterpret_cast<const char*>(u8"caf\u00E9.txt");
    MakeFolder(Work("walk"));
    WriteBytes(Work("cafe.txt"), "abc");
    for (const char* locale : {"C", "C.UTF-8"}) {
        SCOPED_TRACE(locale);
        WriteBytes(Work(cafe), "abc");
        WriteBytes(Work("walk/" + cafe), "abc");

        const Outcome named = Run({"-Fabc", "-RXY", "-B", cafe}, locale);
        const Outcome walked = Run({"-Fabc", "-RXY", "-B", "walk"}, locale);

        EXPECT_EQ(named.status, 0) << named.err;
        EXPECT_EQ(walked.status, 0) << walked.err;
        EXPECT_EQ(ReadBytes(Work(cafe)), "XY");
        EXPECT_EQ(ReadBytes(Work("walk/" + cafe)), "XY");
        EXPECT_EQ(ReadBytes(Work("cafe.txt")), "abc");
        EXPECT_FALSE(FileExists(Work("cafe.txt.bak")));
    }
}
