#pragma once
#include <string_view>

#include "engine/TextEncoding.h"

// The encoding of a file's text, from its bytes alone: a UTF-8 byte order mark, or
// well-formed UTF-8 with a character of three bytes or more, is UTF-8; seven-bit text is
// ISO-2022-JP when it holds a JIS escape sequence and ASCII otherwise; otherwise the
// readings as Shift-JIS, EUC-JP and UTF-8 that are well-formed compete, and the one whose
// characters look most like Japanese text wins. Text well-formed in none is Shift-JIS. A
// last character cut short by the end of the text counts as well-formed.
TextEncoding DetectEncoding(std::string_view text);

// The encoding a run reads a file in: detected with the automatic choice, the chosen one
// otherwise. ISO-2022-JP is recognised under every choice, because searching its escaped
// bytes as any other encoding would destroy the text.
TextEncoding EncodingOfFile(EncodingChoice choice, std::string_view text);

// Whether seven-bit `text` switches to a JIS character set with an escape sequence.
bool HoldsIso2022JpEscape(std::string_view text);
