// Literal replacement of a text in pieces, against a plain search that tries every character
// start over the whole text.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/pattern/EscapeSequences.h"
#include "engine/literal/LiteralChain.h"
#include "platform/DoubleByte.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

char Lowered(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Only a letter that is a character of its own folds, never a second byte.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view alternative, bool ignoreCase)
{
    for (std::size_t k = 0; k < alternative.size(); k += CharacterLength(alternative, k)) {
        const std::size_t length = CharacterLength(alternative, k);
        if (length == 1 && ignoreCase ? Lowered(text[at + k]) != Lowered(alternative[k])
                                      : text.substr(at + k, length) != alternative.substr(k, length))
            return false;
    }
    return true;
}

std::size_t ReplaceAll(std::string& text, std::string_view alternative, std::string_view replacement,
                       bool ignoreCase)
{
    if (alternative.empty())
        return 0;
    std::string output;
    std::size_t count = 0;
    std::size_t copied = 0;
    std::size_t at = 0;
    while (at + alternative.size() <= text.size()) {
        if (MatchesAt(text, at, alternative, ignoreCase)) {
            output.append(text, copied, at - copied).append(replacement);
            at = copied = at + alternative.size();
            ++count;
        } else {
            at += CharacterLength(text, at);
        }
    }
    if (count > 0)
        text = output.append(text, copied);
    return count;
}

// Every alternative may multiply the text; beyond this the comparison is not worth its memory.
constexpr std::size_t LargestText = 1 << 16;

// The number of replacements, or nothing when the text grew too large.
std::optional<std::size_t> PlainRewrite(std::string& text, const std::string& find, const std::string& replace,
                                        PatternOptions options)
{
    const bool decode = !HasOption(options, NotEscape);
    const std::string replacement = decode ? DecodeReplaceEscapes(replace) : replace;
    std::size_t count = 0;
    for (const std::string& alternative : decode ? DecodeFindEscapes(find) : std::vector{find}) {
        count += ReplaceAll(text, alternative, replacement, HasOption(options, NotCase));
        if (text.size() > LargestText)
            return std::nullopt;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const PatternOptions options = input.ConsumeIntegral<PatternOptions>() & (NotEscape | NotCase);
    // Windows and pieces small enough that matches and characters cross their ends.
    const std::size_t window = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    const std::size_t piece = input.ConsumeIntegralInRange<std::size_t>(0, 16);
    const std::string find = input.ConsumeRandomLengthString(64);
    const std::string replace = input.ConsumeRandomLengthString(64);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    std::string expected = bytes;
    const std::optional<std::size_t> expectedCount = PlainRewrite(expected, find, replace, options);
    if (!expectedCount || bytes.find('\0') != std::string::npos)
        return 0;

    const AbortFlag notAborted{false};
    const EncodedPattern pattern = EncodePattern({find, replace, options}, TextEncoding::ShiftJis);
    std::string rewritten;
    const FileResult count = RewriteLiteralText(notAborted, bytes, {&pattern}, rewritten, window, piece);
    FUZZ_CHECK(count >= 0 && static_cast<std::size_t>(count) == *expectedCount);
    FUZZ_CHECK(rewritten == (count > 0 ? expected : std::string()));
    return 0;
}
