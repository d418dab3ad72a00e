#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "engine/text/TextEncoding.h"

// A Shift-JIS text of the program's own (a pattern) in the encoding of a file, converted
// with the system's converter. Nothing when the encoding cannot hold one of its characters,
// or when it is no well-formed Shift-JIS. A seven-bit file has no encoding of its own to
// keep: it takes the text as typed, in Shift-JIS, as every file did before encodings were
// told apart.
// `typed` is the encoding the text is in: Shift-JIS, or UTF-8 for a text entered so.
std::optional<std::string> ConvertPatternText(std::string_view text, TextEncoding encoding,
                                              TextEncoding typed = TextEncoding::ShiftJis);
