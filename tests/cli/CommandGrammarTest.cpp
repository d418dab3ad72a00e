#include "cli/CommandGrammar.h"

#include <gtest/gtest.h>

#include <cctype>

#include "cli/Usage.h"
#include "tests/support/TestFiles.h"

namespace {

using Arguments = std::vector<std::string>;
using Text = std::optional<std::string>;

ParsedArguments Parse(Arguments arguments)
{
    arguments.insert(arguments.begin(), "tarvelox");
    return ParseNativeArguments(arguments);
}

// Every way of giving a value, and what ends the options.
TEST(CommandGrammar, ValuesAttachedOrNextAndTheEndOfTheOptions)
{
    const struct {
        Arguments arguments;
        Text find, replace;
        Arguments files;
    } cases[] = {
        {{"-Ffoo", "-Rbar"}, "foo", "bar", {}},
        {{"-F", "foo", "-R", "bar", "a.txt"}, "foo", "bar", {"a.txt"}},
        {{"--find=foo", "--replace", "bar"}, "foo", "bar", {}},
        {{"--find", "a=b", "--replace="}, "a=b", "", {}},
        {{"-F", "", "-R", ""}, "", "", {}},
        // A value is whatever follows, even one that looks like an option.
        {{"-F", "-x", "--replace", "--"}, "-x", "--", {}},
        // Options may follow the files; after "--" everything is a file.
        {{"a.txt", "-Fx", "--", "-Fy", "--find=z"}, "x", {}, {"a.txt", "-Fy", "--find=z"}},
        // "-" alone and an absolute path are files.
        {{"-", "/c", "@list"}, {}, {}, {"-", "/c", "@list"}},
        // A later value wins.
        {{"-Fa", "--find=b"}, "b", {}, {}},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = Parse(c.arguments);
        const std::string name = testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.Error, "") << name;
        EXPECT_EQ(parsed.Request.FindText, c.find) << name;
        EXPECT_EQ(parsed.Request.ReplaceText, c.replace) << name;
        EXPECT_EQ(parsed.Request.FileArguments, c.files) << name;
    }
}

TEST(CommandGrammar, SwitchesFlagsAndGroups)
{
    const ParsedArguments parsed =
        Parse({"-nvA", "-B0", "--recursive=1", "-O", "EkM", "--list", "my.lst", "-E*.txt", "--diff", "-H", "-c",
               "--log=out.log", "--encoding", "eucjp", "--bytes", "-j", "3"});
    ASSERT_EQ(parsed.Error, "");
    const CommandRequest& request = parsed.Request;
    EXPECT_TRUE(request.DryRun);
    EXPECT_EQ(request.Output, Verbosity::Verbose);
    EXPECT_EQ(request.FullAutomatic, 1);
    EXPECT_EQ(request.MakeBackup, 0);
    EXPECT_EQ(request.IncludeSubfolders, 1);
    EXPECT_EQ(request.OptionLetters, "ekm");
    EXPECT_EQ(request.ReplaceListFile, "my.lst");
    EXPECT_EQ(request.AllowedExtensions, "*.txt");
    EXPECT_TRUE(request.Diff);
    EXPECT_TRUE(request.Clear);
    EXPECT_EQ(request.LogFile, "out.log");
    EXPECT_EQ(request.Encoding, EncodingChoice::EucJp);
    EXPECT_TRUE(request.Bytes);
    EXPECT_EQ(request.Jobs, 3);
    EXPECT_EQ(Parse({"--jobs=256"}).Request.Jobs, 256);
    EXPECT_FALSE(request.Help);
    EXPECT_FALSE(request.Version);

    const CommandRequest quiet = Parse({"-v", "--quiet", "-V", "--help", "-S0", "--all", "--backup"}).Request;
    EXPECT_EQ(quiet.Output, Verbosity::Quiet);
    EXPECT_TRUE(quiet.Version);
    EXPECT_TRUE(quiet.Help);
    EXPECT_EQ(quiet.IncludeSubfolders, 0);
    EXPECT_EQ(quiet.FullAutomatic, 1);
    EXPECT_EQ(quiet.MakeBackup, 1);
    EXPECT_EQ(Parse({}).Request.MakeBackup, std::nullopt);
}

// One line naming what is wrong; the window program's habits are errors here.
TEST(CommandGrammar, WhatIsRefused)
{
    const struct {
        Arguments arguments;
        const char* error;
    } cases[] = {
        {{"--dry-run", "-B0", "-FCopyright", "-r"}, "unknown option '-r'"},
        {{"-f", "x"}, "unknown option '-f'"},
        {{"--Find=x"}, "unknown option '--Find'"},
        {{"--fin=x"}, "unknown option '--fin'"},
        {{"/c", "-x"}, "unknown option '-x'"},
        {{"-nz"}, "unknown option '-z'"},
        {{"-F"}, "option '-F' needs a value"},
        {{"a.txt", "--replace"}, "option '--replace' needs a value"},
        {{"-B2"}, "option '-B' takes 0 or 1, not '2'"},
        {{"-AB"}, "option '-A' takes 0 or 1, not 'B'"},
        {{"--recursive=yes"}, "option '--recursive' takes 0 or 1, not 'yes'"},
        {{"--all="}, "option '--all' takes 0 or 1, not ''"},
        {{"-Oez"}, "option '-O' takes the letters s, c, e, k, m and i, not 'z'"},
        {{"--dry-run=1"}, "option '--dry-run' takes no value"},
        {{"--log="}, "option '--log' needs a file name"},
        {{"--encoding=latin1"}, "option '--encoding' takes auto, sjis, utf8 or eucjp, not 'latin1'"},
        {{"--encoding"}, "option '--encoding' needs a value"},
        {{"-Hx"}, "unknown option '-x'"},
        {{"-j0"}, "option '-j' takes a number of files from 1 to 256, not '0'"},
        {{"--jobs=257"}, "option '--jobs' takes a number of files from 1 to 256, not '257'"},
        {{"-j", "two"}, "option '-j' takes a number of files from 1 to 256, not 'two'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.arguments).Error, c.error) << testing::PrintToString(c.arguments);
}

}  // namespace

namespace {

// Whether `text` holds `name` as a whole option, not inside a longer one.
bool NamesOption(const std::string& text, const std::string& name)
{
    const auto isNamePart = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; };
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || text[at - 1] != '-') && (end == text.size() || !isNamePart(text[end])))
            return true;
    }
    return false;
}

// What a user reads names every option the command takes.
TEST(CommandGrammar, TheHelpTheManualPageAndTheCompletionNameEveryOption)
{
    const std::string usage = UsageText({});
    const std::string manual = ReadBytes(TARVELOX_PACKAGING "/tarvelox.1");
    const std::string completion = ReadBytes(TARVELOX_PACKAGING "/tarvelox.bash-completion");
    for (const std::string& option : OptionSpellings()) {
        std::string roff;
        for (const char c : option)
            roff += c == '-' ? "\\-" : std::string(1, c);
        EXPECT_TRUE(NamesOption(usage, option)) << option;
        EXPECT_TRUE(NamesOption(manual, roff)) << option;
        if (option != "-H") {
            EXPECT_TRUE(NamesOption(completion, option)) << option;
        }
    }
}

}  // namespace

// -E as a Unix user writes it; what cannot be an extension pattern is refused.
TEST(CommandGrammar, ExtensionListsAsWritten)
{
    const struct {
        const char* written;
        Text taken;
    } cases[] = {
        {"*.htm,*.html", "*.htm;*.html"}, {"htm", "*.htm"}, {".htm; txt", "*.htm;*.txt"}, {"*", "*.*"},
        {"*.*", "*.*"}, {"*.", "*."}, {"*.txt;;", "*.txt"}, {"a*.txt", std::nullopt}, {"*.t?t", std::nullopt},
        {"src/*.c", std::nullopt}, {"*.tar.gz", std::nullopt},
        // Blanks around a piece, also a full-width one typed with an input method.
        {"*.txt\t, \xE3\x80\x80htm\xE3\x80\x80", "*.txt;*.htm"},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = Parse({std::string("-E") + c.written});
        EXPECT_EQ(parsed.Request.AllowedExtensions, c.taken) << c.written;
        EXPECT_EQ(parsed.Error.empty(), c.taken.has_value()) << c.written << ": " << parsed.Error;
    }
}
