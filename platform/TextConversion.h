#pragma once
// Conversion between the encodings the program meets, through the system's converters:
// iconv natively, the code-page API on Windows. The program's own texts (patterns) are
// converted into the encoding of a file; texts from a terminal into code page 932; and
// texts shown on a terminal into its encoding. A file is never converted.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Code page 932 is Shift-JIS with the NEC and IBM extensions; EUC-JP follows the mapping of
// code page 932 (eucJP-ms): ～ is 0xA1C1, ① is 0xADA1.
enum class CodeSet { ShiftJis, Utf8, EucJp };

// `text` from `source` into `target`; nothing when it is not well-formed in `source` or
// holds a character `target` cannot hold exactly. Nothing is dropped or replaced, nor
// fitted onto a look-alike (¥ is never the backslash).
std::optional<std::string> ConvertText(std::string_view text, CodeSet source, CodeSet target);

inline std::optional<std::string> ConvertShiftJis(std::string_view text, CodeSet target)
{
    return ConvertText(text, CodeSet::ShiftJis, target);
}

}  // namespace platform
