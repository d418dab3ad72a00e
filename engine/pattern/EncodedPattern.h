#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/pattern/ReplacePattern.h"
#include "engine/pattern/ReplacementTemplate.h"
#include "engine/text/TextEncoding.h"

class CharacterRule;

// A pattern made ready for the files of one encoding. The texts are decoded, quoted and
// split as typed, in Shift-JIS, and only then converted, so that escape sequences, options
// and the replacement template mean the same in every encoding. A text the encoding cannot
// hold is missing: a find text that cannot be held never matches, and a replacement that
// cannot be held makes a file where it would be needed fail with EncodeER.
struct EncodedPattern {
    TextEncoding Encoding = TextEncoding::ShiftJis;
    PatternOptions Options = 0;

    // Literal patterns: the decoded alternatives, and the decoded replacement.
    std::vector<std::optional<std::string>> Alternatives;
    std::optional<std::string> Replacement;

    // Regular expressions: the library's commands, with the encoding's modifier letter.
    std::optional<std::string> MatchCommand;
    std::optional<std::string> SubstituteCommand;  // also missing when only the replacement is
    std::optional<ReplacementTemplate> Template;
    bool SkipNewline = false;
    // What the expression reads the text in: the file's encoding, or for a seven-bit file the
    // encoding the expression was typed in.
    TextEncoding ExpressionEncoding = TextEncoding::ShiftJis;

    const CharacterRule& Rule() const;
    const CharacterRule& ExpressionRule() const;
};

EncodedPattern EncodePattern(const ReplacePattern& pattern, TextEncoding encoding);
