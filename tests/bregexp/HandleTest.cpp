#include <gtest/gtest.h>

#include <cstring>

#include "bregexp/CompilationCount.h"
#include "bregexp/EntryPoints.h"
#include "bregexp/ErrorResult.h"
#include "platform/DoubleByte.h"
#include "tests/bregexp/RegexSession.h"

using bregexp::CompilationCount;

TEST(RegexHandle, IsCompiledOncePerCommand)
{
    RegexSession session("abcdebxd abcd");
    const long before = CompilationCount();
    for (std::size_t pos = 0; session.Match("/b(.)d/", pos) == 1;)
        pos = session.Handle()->GroupEnds[0] - session.Text().data();
    EXPECT_EQ(CompilationCount() - before, 1);

    const RegexHandle* first = session.Handle();
    ASSERT_EQ(session.Match("/x|e/"), 1);  // another command compiles into the same handle
    EXPECT_EQ(session.Handle(), first);
    EXPECT_EQ(*session.Group(0), "e");
    ASSERT_EQ(session.Match("/b(.)d/"), 1);
    EXPECT_EQ(CompilationCount() - before, 3);
    EXPECT_EQ(session.Handle()->GroupCount, 1);

    ASSERT_EQ(session.Subst("s/b(.)d/$1/g"), 3);
    ASSERT_EQ(session.Subst("s/b(.)d/$1/g"), 3);
    EXPECT_EQ(CompilationCount() - before, 4);
}

TEST(RegexHandle, MalformedOrRejectedCommandsLeaveItEmpty)
{
    const struct {
        bool substitute;
        const char* command;
        int result;
    } cases[] = {
        {false, "", bregexp::MalformedCommand},
        {false, "a/", bregexp::MalformedCommand},
        {false, "/abc", bregexp::MalformedCommand},
        {false, "/abc\\/", bregexp::MalformedCommand},
        {false, "s/a/b/", bregexp::MalformedCommand},
        {false, "/(/", bregexp::RejectedExpression},
        {false, "/a{2,1}/", bregexp::RejectedExpression},
        {false, "/\\k<none>/", bregexp::RejectedExpression},
        {true, "/a/b/", bregexp::MalformedCommand},
        {true, "s/a/b", bregexp::MalformedCommand},
        {true, "s/a", bregexp::MalformedCommand},
        {true, "s/[a/b/", bregexp::RejectedExpression},
    };
    for (const auto& c : cases) {
        for (bool afterGoodCommand : {false, true}) {
            RegexSession session("abc");
            if (afterGoodCommand) {
                ASSERT_EQ(session.Match("/b/"), 1);
            }
            const int result = c.substitute ? session.Subst(c.command) : session.Match(c.command);
            EXPECT_EQ(result, c.result) << c.command;
            EXPECT_EQ(session.Handle(), nullptr) << c.command;  // freed, and the variable set back
            EXPECT_NE(session.Message()[0], '\0') << c.command;
        }
    }
}

TEST(RegexHandle, BadArgumentsAreErrors)
{
    const char text[] = "abc";
    char message[RegexMessageSize];
    RegexHandle* handle = nullptr;
    EXPECT_EQ(BMatch("/a/", text, text + 3, nullptr, message), bregexp::InvalidArguments);
    EXPECT_EQ(BMatch(nullptr, text, text + 3, &handle, message), bregexp::InvalidArguments);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(BMatch("/a/", text + 3, text, &handle, message), bregexp::InvalidArguments);
    EXPECT_NE(handle, nullptr);  // the expression itself was accepted
    EXPECT_EQ(BSubst("s/a/b/", nullptr, nullptr, &handle, message), bregexp::InvalidArguments);
    EXPECT_EQ(BMatch("/a/", text, text + 3, &handle, message), 1);
    BRegfree(handle);
    BRegfree(nullptr);
}

TEST(RegexHandle, AMessageNeverTakesMoreThanEightyBytes)
{
    const std::string longName = "\\k<" + std::string(120, 'n') + ">";
    const std::string longKanjiName = "\\k<" + std::string(120, '\x95') + ">";  // 0x95 0x95 pairs
    const std::string commands[] = {"/" + longName + "/", "/" + longKanjiName + "/k", "/(/", "s/a"};
    for (const std::string& command : commands) {
        char buffer[RegexMessageSize + 16];
        std::memset(buffer, 'Z', sizeof buffer);
        RegexHandle* handle = nullptr;
        const char text[] = "a";
        EXPECT_LT(BMatch(command.c_str(), text, text + 1, &handle, buffer), 0);
        const std::size_t length = std::strlen(buffer);
        EXPECT_GT(length, 0u);
        EXPECT_LT(length, RegexMessageSize);
        EXPECT_EQ(std::string(buffer + RegexMessageSize, 16), std::string(16, 'Z'));
        EXPECT_TRUE(length == 0 || !IsLeadByte(buffer[length - 1]) || !IsCharacterStart(buffer, buffer + length - 1))
            << buffer;
        // A null buffer is tolerated.
        EXPECT_LT(BMatch(command.c_str(), text, text + 1, &handle, nullptr), 0);
        EXPECT_EQ(handle, nullptr);
    }
}

TEST(RegexHandle, FieldsWhereAConsumerReadsThem)
{
    RegexSession session("xabc");
    ASSERT_EQ(session.Match("/a(b)(z)?/"), 1);
    const char* record = reinterpret_cast<const char*>(session.Handle());
    const std::size_t slot = sizeof(void*);  // 4 bytes in a 32-bit build: 0x20, 0x24, 0x28
    char* const* starts = *reinterpret_cast<char* const* const*>(record + 8 * slot);
    char* const* ends = *reinterpret_cast<char* const* const*>(record + 9 * slot);
    const std::int32_t count = *reinterpret_cast<const std::int32_t*>(record + 10 * slot);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(starts[0], session.Text().data() + 1);
    EXPECT_EQ(ends[0], session.Text().data() + 3);
    EXPECT_EQ(starts[1], session.Text().data() + 2);
    EXPECT_EQ(ends[1], session.Text().data() + 3);
    EXPECT_EQ(starts[2], nullptr);
    EXPECT_EQ(ends[2], nullptr);

    ASSERT_EQ(session.Subst("s/b/BB/"), 1);
    const char* outputStart = *reinterpret_cast<const char* const*>(record);
    const char* outputEnd = *reinterpret_cast<const char* const*>(record + slot);
    EXPECT_EQ(std::string(outputStart, outputEnd), "xaBBc");
}

TEST(RegexHandle, NestingBeyondTheParseDepthIsRejected)
{
    const auto nested = [](std::size_t depth) {
        std::string command(1, '/');
        command.append(depth, '(').append(1, 'a').append(depth, ')').append(1, '/');
        return command;
    };
    RegexSession session("a");
    EXPECT_EQ(session.Match(nested(100).c_str()), 1);
    EXPECT_EQ(session.Handle()->GroupCount, 100);
    EXPECT_EQ(session.Match(nested(5000).c_str()), bregexp::RejectedExpression);
    EXPECT_EQ(session.Handle(), nullptr);
    EXPECT_NE(std::string(session.Message()).find("depth"), std::string::npos) << session.Message();
}

TEST(RegexHandle, RunawaySearchesEndWithAnError)
{
    const std::string as(1 << 20, 'a');
    RegexSession session(as + "!");
    EXPECT_EQ(session.Match("/^(a+)+$/"), bregexp::SearchFailed);
    EXPECT_NE(std::string(session.Message()).find("limit"), std::string::npos) << session.Message();
    EXPECT_NE(session.Handle(), nullptr);  // the expression is fine, the search was not
    EXPECT_EQ(session.Handle()->GroupStarts[0], nullptr);
    EXPECT_EQ(session.Subst("s/^(a+)+$/x/"), bregexp::SearchFailed);

    // Without the final byte there is no backtracking: the text simply matches.
    session.SetText(as);
    ASSERT_EQ(session.Match("/^(a+)+$/"), 1);
    EXPECT_EQ(session.Group(0)->size(), as.size());

    // One backtracking entry per character of a long alternation that Oniguruma searches:
    // memory stays bounded. Our own matcher, which takes (?:a|b)*, keeps no such entries.
    session.SetText(std::string(8 << 20, 'a'));
    EXPECT_EQ(session.Match("/^(?:a|ab)*$/"), bregexp::SearchFailed);
    EXPECT_NE(std::string(session.Message()).find("stack"), std::string::npos) << session.Message();
    EXPECT_EQ(session.Match("/^(?:a|b)*$/"), 1);
}
