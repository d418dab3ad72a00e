#pragma once
#include <string>

// Escapes every slash of a regular-expression text exactly once, for embedding it in a
// command delimited by slashes; an already escaped slash stays as it is.
std::string QuoteRegexText(const std::string& text);
