// Random commands and texts for a bounded time: nothing may crash or read outside the
// target. The target sits right before an inaccessible page, and right after one, so a
// read past either end faults even inside Oniguruma, which the sanitizers do not see.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>

#include "bregexp/ByteModeExpression.h"
#include "bregexp/EntryPoints.h"
#include "bregexp/ErrorResult.h"
#include "bregexp/RegexCommand.h"
#include "bregexp/SubstitutionTemplate.h"
#include "tests/bregexp/RegexSession.h"
#include "tests/support/GuardedText.h"

namespace {

constexpr unsigned Seed = 20240611;
constexpr auto TimeBudget = std::chrono::seconds(20);

// Pieces that make Oniguruma's and the command parser's interesting paths likely.
const char* const Fragments[] = {
    "/", "\\/", "\\", "\\\\", "s/", "(", ")", "(?:", "(?<n>", "(?=", "(?!", "(?<=", "(?<!", "\\K", "\\G",
    "|", "*", "+", "?", "*?", "++", "{2}", "{1,3}", "{,2}", "[", "]", "[^", "-", "^", "$", ".", "\\b",
    "\\B", "\\w", "\\W", "\\s", "\\d", "\\n", "\\r", "\\x81", "\\x5C", "\\Q", "\\E", "\\k<n>", "\\1",
    "\\g<0>", "\\g<n>", "$1", "$&", "$0", "\\2", "a", "b", "A", "\n", "\r\n", "\x81", "\x83\x41",
    "\x95\x5C", "\x83\x5C", "\x81\x5B", "\x83\x7C", "\xE0", "\xFC", "\x80", "\xA0", "\xFF", "k", "m",
    "i", "g", "x", "(?i)", "(?m)", "(?s)", "(*FAIL)", "(?~a)", "\\p{Alpha}", "\\X", "\\R", "\\N", "\\O",
};

const char TextBytes[] = {'a', 'b', 'A', '\n', '\r', '\\', '/', '\0', '\x81', '\x83', '\x41', '\x5C', '\x95',
                          '\x40', '\xFC', '\xE0', '\x7F', '\xA0', ' ', '1'};

std::string RandomPieces(std::mt19937& random, std::size_t count)
{
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, std::size(Fragments) - 1);
    for (std::size_t i = 0; i < count; ++i)
        text += Fragments[pick(random)];
    return text;
}

std::string RandomCommand(std::mt19937& random)
{
    std::uniform_int_distribution<int> shape(0, 9);
    std::uniform_int_distribution<std::size_t> length(0, 8);
    std::string modifiers;
    const char letters[] = {'k', 'm', 'i', 'g', 'x'};
    for (char letter : letters)
        if (random() & 1)
            modifiers += letter;
    switch (shape(random)) {
    case 0:
        return RandomPieces(random, length(random));  // anything at all
    case 1:
    case 2:
    case 3:
    case 4:
        return "/" + RandomPieces(random, length(random)) + "/" + modifiers;
    default:
        return "s/" + RandomPieces(random, length(random)) + "/" + RandomPieces(random, length(random) / 2) + "/" +
               modifiers;
    }
}

std::string RandomText(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> length(0, 64);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(TextBytes) - 1);
    std::string text(length(random), '\0');
    for (char& byte : text)
        byte = TextBytes[pick(random)];
    return text;
}

bool IsKnownResult(int result)
{
    return result >= bregexp::OutOfMemory;
}

// Checks one call's promises about the handle, the groups and the message.
void CheckCall(int result, bool substitute, RegexHandle* handle, const char* start, const char* end,
               const char* message)
{
    ASSERT_TRUE(IsKnownResult(result)) << result;
    ASSERT_NE(std::memchr(message, '\0', RegexMessageSize), nullptr);
    if (result == bregexp::MalformedCommand || result == bregexp::RejectedExpression) {
        ASSERT_EQ(handle, nullptr);
        return;
    }
    ASSERT_NE(handle, nullptr);
    if (substitute && result > 0) {
        ASSERT_NE(handle->OutputStart, nullptr);
        ASSERT_LE(handle->OutputStart, handle->OutputEnd);
    }
    if (result <= 0 || substitute)
        return;
    ASSERT_NE(handle->GroupStarts[0], nullptr);
    for (int group = 0; group <= handle->GroupCount; ++group) {
        const char* groupStart = handle->GroupStarts[group];
        const char* groupEnd = handle->GroupEnds[group];
        ASSERT_EQ(groupStart == nullptr, groupEnd == nullptr);
        if (!groupStart)
            continue;
        ASSERT_LE(start, groupStart);
        ASSERT_LE(groupStart, groupEnd);
        ASSERT_LE(groupEnd, end);
    }
}

}  // namespace

TEST(RandomInput, FirstCallsFromSeveralThreadsAtOnce)
{
    std::vector<std::thread> threads;
    std::vector<int> results(4, -100);
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&results, i] {
            RegexSession session("a\x83\x41" "b");
            results[i] = session.Match(i % 2 ? "/b$/k" : "/A/i");
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(results, std::vector<int>(4, 1));
}

TEST(RandomInput, CommandTextsNeverReachPastTheirEnd)
{
    std::mt19937 random(Seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 40);
    for (int i = 0; i < 200000; ++i) {
        std::string text(length(random), '\0');
        for (char& c : text)
            c = static_cast<char>(byte(random));
        if (i % 2)
            text = RandomCommand(random);
        const bregexp::ParsedCommand match = bregexp::ParseMatchCommand(text);
        const bregexp::ParsedCommand substitute = bregexp::ParseSubstituteCommand(text);
        if (!match.Error) {
            ASSERT_LE(match.Command.Expression.size(), text.size());
        }
        if (!substitute.Error) {
            ASSERT_LE(substitute.Command.Expression.size() + substitute.Command.Replacement.size(), text.size());
        }
        bregexp::ParseSubstitutionTemplate(text);
        const std::string escaped = bregexp::EscapeSecondBytesForByteSearch(text);
        ASSERT_GE(escaped.size(), text.size());
    }
}

TEST(RandomInput, TheLibraryStaysInsideTheTarget)
{
    std::mt19937 random(Seed + 1);
    GuardedText guarded;
    const auto deadline = std::chrono::steady_clock::now() + TimeBudget;
    int calls = 0;
    for (int round = 0; round < 100000 && std::chrono::steady_clock::now() < deadline; ++round) {
        const std::string command = RandomCommand(random);
        const std::string text = RandomText(random);
        SCOPED_TRACE("command " + Hex(command) + "text " + Hex(text));
        const bool substitute = !command.empty() && command[0] == 's';
        const char* start = (round % 5 == 0) ? guarded.PlaceAtStart(text) : guarded.Place(text);
        const char* end = start + text.size();
        char message[RegexMessageSize];
        RegexHandle* handle = nullptr;

        if (substitute) {
            const int result = BSubst(command.c_str(), start, end, &handle, message);
            ++calls;
            CheckCall(result, true, handle, start, end, message);
        } else {
            // As the program does: match, then search the rest after the match.
            const char* pos = start;
            for (int step = 0; step < 8; ++step) {
                const int result = BMatch(command.c_str(), pos, end, &handle, message);
                ++calls;
                CheckCall(result, false, handle, pos, end, message);
                if (result != 1 || HasFatalFailure())
                    break;
                const char* next = handle->GroupEnds[0];
                pos = next > pos ? next : pos + 1;
                if (pos > end)
                    break;
            }
        }
        BRegfree(handle);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(calls, 1000);
}

// In text that is not well-formed in UTF-8 or EUC-JP, Oniguruma reads a first byte near the
// end as the first of a character that reaches past it (\xE3 takes "A" and a byte beyond);
// \W then stepped over the end and \b read the byte after the text, which faults where
// the text ends at an inaccessible page, as a mapped file of whole pages does.
TEST(RandomInput, OnigurumaReadsNoCharacterPastTheEnd)
{
    struct Case {
        const char* command;
        std::string text;
    };
    const Case cases[] = {
        {"/\\W\\b/j", "\xA2\x8E\xB1"},
        {"/\\S\x8E\xB1|[\\sb]{0,2}\\W\\b./j", "\xA5\xA2\xA4\xA4\xA2\x8E\xB1"},
        {"/\\W\\b/u", "\xE3" "A"},
        {"/\\W\\b/u", "x\xF0" "AB"},
        {"s/\\W\\b/-/gj", "\xA2\x8E\xB1"},
    };
    GuardedText guarded;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " over " + Hex(c.text));
        const char* start = guarded.Place(c.text);
        const char* end = start + c.text.size();
        char message[RegexMessageSize];
        RegexHandle* handle = nullptr;
        const int result = c.command[0] == 's' ? BSubst(c.command, start, end, &handle, message)
                                               : BMatch(c.command, start, end, &handle, message);
        EXPECT_GE(result, 0) << message;
        BRegfree(handle);
    }
}
