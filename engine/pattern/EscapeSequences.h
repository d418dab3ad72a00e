#pragma once
#include <string>
#include <vector>

#include "engine/text/TextEncoding.h"

// Decodes the escape sequences of a literal pattern's find text: \\ \n \t \u \m, and \|,
// which separates the alternatives: their texts, at least one. Every other byte is itself.
// `typed` is the encoding the text was entered in, whose characters are read whole.
std::vector<std::string> DecodeFindEscapes(const std::string& find, TextEncoding typed = TextEncoding::ShiftJis);
// The same for a replacement text, where \| has no meaning.
std::string DecodeReplaceEscapes(const std::string& replace, TextEncoding typed = TextEncoding::ShiftJis);
