#pragma once
#include <string>

#include "engine/pattern/PatternOptions.h"
#include "engine/text/TextEncoding.h"

// The commands handed to the regular-expression library, with the slashes of the texts
// quoted and the modifiers of Kanji, Multiline and Ignorecase always in the order k, m, i.

// The texts are in `typed`, the encoding they were entered in, and so is the command.

// "/find/kmi", for one search at a time.
std::string MatchCommandText(const std::string& find, PatternOptions options,
                             TextEncoding typed = TextEncoding::ShiftJis);
// "s/find/replace/kmig", for the library's own substitution of every match.
std::string SubstituteCommandText(const std::string& find, const std::string& replace, PatternOptions options,
                                  TextEncoding typed = TextEncoding::ShiftJis);

// Whether a match of `find` that is followed by LF takes that LF with it: with Multiline,
// for an expression that ends in an unescaped "$" (a line's end), so that the line break
// goes with the line it ends and a match there, empty or not, is not found again at once.
bool SkipsNewlineAfterMatch(const std::string& find, PatternOptions options,
                            TextEncoding typed = TextEncoding::ShiftJis);

// The modifier letter that has the library read the text in `encoding` by its characters:
// "u" for UTF-8, "j" for EUC-JP, "k" for Shift-JIS and ASCII, with or without the user's k.
const char* EncodingModifier(TextEncoding encoding);
