#pragma once
// Conversion of the program's own Shift-JIS texts (patterns) into the encoding of a file,
// through the system's converters: iconv natively, the code-page API on Windows.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class CodeSet { Utf8, EucJp };

// `text` as code page 932, with the NEC and IBM extensions, in `target`; nothing when it
// is not well-formed code page 932 or holds a character `target` cannot hold. EUC-JP
// follows the mapping of code page 932 (eucJP-ms): ～ is 0xA1C1, ① is 0xADA1.
std::optional<std::string> ConvertShiftJis(std::string_view text, CodeSet target);

}  // namespace platform
