#pragma once
// The option field of a list line: the letters "E", "k", "m", "i", "S" and "C".
#include <string>
#include <string_view>

#include "engine/pattern/PatternOptions.h"

// The writing rule: "E" followed by those of "k", "m", "i" that are set for a regular
// expression, otherwise "S" and "C" for NotEscape and NotCase; flags that do not apply to
// the kind of pattern are left out.
std::string OptionLettersFrom(PatternOptions options);

// The reading rule: each of the six letters sets its flag wherever it stands, letters are
// case-sensitive, and every other byte means nothing.
PatternOptions OptionsFromLetters(std::string_view letters);
