#pragma once
#include <string>
#include <vector>

// Decodes the escape sequences of a literal pattern's find text: \\ \n \t \u \m, and \|,
// which separates the alternatives: their texts, at least one. Every other byte is itself.
std::vector<std::string> DecodeFindEscapes(const std::string& find);
// The same for a replacement text, where \| has no meaning.
std::string DecodeReplaceEscapes(const std::string& replace);
