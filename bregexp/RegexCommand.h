#pragma once
#include <string>
#include <string_view>

#include "engine/text/TextEncoding.h"

namespace bregexp {

struct Modifiers {
    bool Kanji = false;       // k: the text is Shift-JIS, a double-byte character is one character
    bool Multiline = false;   // m: ^ and $ at every line
    bool IgnoreCase = false;  // i
    bool Global = false;      // g: every match of a substitution, not only the first
    // u: the text is UTF-8, j: EUC-JP; either reads whole characters, with or without k.
    TextEncoding Encoding = TextEncoding::ShiftJis;
};

// A match command "/expression/modifiers" or a substitute command
// "s/expression/replacement/modifiers", split into its parts.
struct RegexCommand {
    std::string Expression;   // with each escaped slash unescaped, every other escape as written
    std::string Replacement;  // as written, escapes included; substitutions only
    Modifiers Options;
};

struct ParsedCommand {
    RegexCommand Command;
    const char* Error = nullptr;  // what is wrong with the command, or null
};

// Both scan the command aware of the characters of the encoding its modifiers name
// (Shift-JIS without u or j).
ParsedCommand ParseMatchCommand(std::string_view command);
ParsedCommand ParseSubstituteCommand(std::string_view command);

}  // namespace bregexp
