// The quoting of regular-expression texts and the commands built from them, read back by
// the library's command parser.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "bregexp/RegexCommand.h"
#include "engine/pattern/RegexCommandText.h"
#include "engine/pattern/RegexQuoting.h"
#include "platform/DoubleByte.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// What the library should see of a text as the user wrote it: an escaped slash is a slash,
// every other escape stays as written. Nothing when the text's end would swallow the
// command's closing slash (a lone backslash or lead byte at the end), or when a NUL ends
// the command early.
bool ExpectedAfterParsing(std::string_view text, std::string& expected)
{
    if (text.find('\0') != std::string_view::npos)
        return false;
    expected.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = CharacterLength(text, i);
        if (text[i] == '\\') {
            if (i + 1 == text.size())
                return false;
            const std::size_t escaped = CharacterLength(text, i + 1);
            if (text[i + 1] == '/')
                expected += '/';
            else
                expected.append(text.substr(i, 1 + escaped));
            i += 1 + escaped;
            if (escaped == 1 && IsLeadByte(text[i - 1]))
                return false;
            continue;
        }
        if (length == 1 && IsLeadByte(text[i]))
            return false;
        expected.append(text.substr(i, length));
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const PatternOptions options = input.ConsumeIntegral<PatternOptions>();
    const std::string find = input.ConsumeRandomLengthString(256);
    const std::string replace = input.ConsumeRemainingBytesAsString();

    const std::string quoted = QuoteRegexText(find);
    FUZZ_CHECK(quoted.size() <= 2 * find.size());
    FUZZ_CHECK(QuoteRegexText(quoted) == quoted);
    SkipsNewlineAfterMatch(find, options);

    const bregexp::ParsedCommand match = bregexp::ParseMatchCommand(MatchCommandText(find, options));
    const bregexp::ParsedCommand substitute =
        bregexp::ParseSubstituteCommand(SubstituteCommandText(find, replace, options));
    std::string expectedFind;
    if (!ExpectedAfterParsing(find, expectedFind))
        return 0;
    FUZZ_CHECK(match.Error == nullptr);
    FUZZ_CHECK(match.Command.Expression == expectedFind);
    FUZZ_CHECK(match.Command.Options.Kanji == HasOption(options, Kanji));
    FUZZ_CHECK(match.Command.Options.Multiline == HasOption(options, Multiline));
    FUZZ_CHECK(match.Command.Options.IgnoreCase == HasOption(options, Ignorecase));
    FUZZ_CHECK(!match.Command.Options.Global);
    std::string expectedReplace;
    if (!ExpectedAfterParsing(replace, expectedReplace))
        return 0;
    FUZZ_CHECK(substitute.Error == nullptr);
    FUZZ_CHECK(substitute.Command.Expression == expectedFind);
    FUZZ_CHECK(substitute.Command.Replacement == QuoteRegexText(replace));
    FUZZ_CHECK(substitute.Command.Options.Global);
    return 0;
}
