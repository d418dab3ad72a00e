// The library's reading of its commands and of a substitution's replacement, and the
// escaping of second bytes for a search without k.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bregexp/ByteModeExpression.h"
#include "bregexp/RegexCommand.h"
#include "bregexp/SubstitutionTemplate.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bregexp::ParsedCommand match = bregexp::ParseMatchCommand(text);
    if (!match.Error)
        FUZZ_CHECK(match.Command.Expression.size() < text.size() && !match.Command.Options.Global);
    const bregexp::ParsedCommand substitute = bregexp::ParseSubstituteCommand(text);
    if (!substitute.Error)
        FUZZ_CHECK(substitute.Command.Expression.size() + substitute.Command.Replacement.size() + 3 <= text.size());

    const bregexp::SubstitutionTemplate replacement = bregexp::ParseSubstitutionTemplate(text);
    std::size_t literal = 0;
    for (const bregexp::SubstitutionTemplate::Piece& piece : replacement.Pieces) {
        FUZZ_CHECK(piece.Group <= 9 && (piece.Group < 0 || piece.Text.empty()));
        literal += piece.Text.size();
    }
    FUZZ_CHECK(literal <= text.size());
    FUZZ_CHECK(bregexp::EscapeSecondBytesForByteSearch(text).size() >= text.size());
    return 0;
}
