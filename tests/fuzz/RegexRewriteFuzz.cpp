// The engine's regular-expression branch over the library, with either substitution: any
// find text, replacement, options and file text, read in any encoding.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "bregexp/EntryPoints.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/pattern/RegexCommandText.h"
#include "engine/regex/RegexRewrite.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/GuardedText.h"

namespace {

const BregexpLibrary& LinkedLibrary()
{
    static BregexpLibrary library;
    library.BMatch = ::BMatch;
    library.BSubst = ::BSubst;
    library.BRegfree = ::BRegfree;
    return library;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static GuardedText guarded;
    FuzzedDataProvider input(data, size);
    const PatternOptions options = input.ConsumeIntegral<PatternOptions>() | RegularExpression;
    const bool librarySubstitutes = input.ConsumeBool();
    const bool wholeMatch = input.ConsumeBool();
    const TextEncoding encoding =
        input.PickValueInArray({TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8});
    const std::string find = input.ConsumeRandomLengthString(200);
    // The whole match as the replacement must give the text back, unless line ends that
    // follow a match are dropped.
    const std::string replace = wholeMatch ? (librarySubstitutes ? "$&" : "$0") : input.ConsumeRandomLengthString(100);
    const std::string text = input.ConsumeRandomLengthString(GuardedText::Capacity);
    const char* start = guarded.Place(text);

    const AbortFlag notAborted{false};
    RegexRewrite rewrite(LinkedLibrary());
    const FileResult result = rewrite.Apply(notAborted, start, text.size(),
                                            EncodePattern(ReplacePattern{find, replace, options}, encoding),
                                            librarySubstitutes);
    FUZZ_CHECK(result >= 0 || result == RegExpER || result == EncodeER);
    if (result <= 0)
        return 0;
    const std::string output(rewrite.Data(), rewrite.Size());
    if (wholeMatch && (librarySubstitutes || !SkipsNewlineAfterMatch(find, options)))
        FUZZ_CHECK(output == text);
    return 0;
}
