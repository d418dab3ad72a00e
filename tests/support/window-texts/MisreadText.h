#pragma once
// Signs that a window text meant to be Japanese went through a code page that lacks it.
#include <string_view>

// What in `text` (UTF-16, as the wide API gives it) shows a misread, or empty when nothing does:
// - a run of two or more '?': a text narrowed to a code page without its characters;
// - U+FFFD: bytes that were not valid in the code page they were read in (Shift-JIS read
//   as UTF-8);
// - a C1 control (U+0080-U+009F): bytes widened one by one, as Latin-1;
// - U+0192 or U+201A: the lead bytes 0x83 and 0x82 of every Shift-JIS katakana and
//   hiragana, read as code page 1252;
// - U+7E3A, U+7E67 or U+7E5D (縺 繧 繝): the lead pairs of UTF-8 hiragana and katakana,
//   read as code page 932; rare kanji that no text of the program holds.
// U+30FB (・) is no sign: it is a real character of Japanese text.
std::string_view MisreadSign(std::u16string_view text);
