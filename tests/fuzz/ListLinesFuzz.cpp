// Replace list files: the text-mode line reader, both line readers, the option letters and
// the editor's row text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lists/ListLine.h"
#include "lists/OptionLetters.h"
#include "lists/RowText.h"
#include "lists/TextLines.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// The flags the writing rule keeps for a pattern of its kind.
PatternOptions WrittenFlags(PatternOptions options)
{
    if (HasOption(options, RegularExpression))
        return options & (RegularExpression | Kanji | Multiline | Ignorecase);
    return options & (NotEscape | NotCase);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : SplitTextLines(text)) {
        FUZZ_CHECK(line.find('\n') == std::string::npos && line.find('\x1a') == std::string::npos);
        const ReplacePattern pattern = ParseListLine(line);
        const ListRow row = SplitListLine(line);
        FUZZ_CHECK(row.Find == pattern.Find && row.Replace == pattern.Replace);
        // The editor's options field is the start of the main window's.
        FUZZ_CHECK((OptionsFromLetters(row.Options) & ~pattern.Options) == 0);
        FUZZ_CHECK(SplitListLine(FormatListLine(row)) == row);
        FUZZ_CHECK(RowFromText(RowTextOf(row)) == row);
        FUZZ_CHECK(OptionsFromLetters(OptionLettersFrom(pattern.Options)) == WrittenFlags(pattern.Options));
    }
    RowFromText(text);
    return 0;
}
