#pragma once
#include <string>

#include "engine/text/TextEncoding.h"

// Escapes every slash of a regular-expression text exactly once, for embedding it in a
// command delimited by slashes; an already escaped slash stays as it is.
// `typed` is the encoding the text was entered in.
std::string QuoteRegexText(const std::string& text, TextEncoding typed = TextEncoding::ShiftJis);
