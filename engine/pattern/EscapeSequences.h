#pragma once
#include <string>

// Byte that separates the alternatives of a decoded find text.
inline constexpr char AlternativeSeparator = '\x1A';

// Decodes the escape sequences of a literal pattern's find text: \\ \n \t \u \m and \|.
std::string DecodeFindEscapes(const std::string& find);
// The same for a replacement text, where \| has no meaning.
std::string DecodeReplaceEscapes(const std::string& replace);
