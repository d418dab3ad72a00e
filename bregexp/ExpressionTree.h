#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "bregexp/CharacterSet.h"

namespace bregexp {

class TextCharacters;

// The places an expression checks without taking a character, named for what Oniguruma
// checks: ^ and $ are BeginText and SemiEndText without m, BeginLine and EndLine with it.
enum class Assertion : std::uint8_t {
    BeginText,        // \A
    EndText,          // \z
    SemiEndText,      // \Z: the end, or before a newline that ends the text
    BeginLine,
    EndLine,
    WordBoundary,     // \b
    NotWordBoundary,  // \B
};

struct ExpressionNode {
    enum class Kind : std::uint8_t { Empty, Character, Sequence, Alternatives, Capture, Repeat, Check };
    Kind Type = Kind::Empty;
    std::vector<ExpressionNode> Children;
    int Set = -1;    // Character: the index of its set
    int Group = 0;   // Capture
    int Least = 0;   // Repeat
    int Most = 0;    // Repeat; negative: no bound
    bool Greedy = true;
    Assertion Anchor = Assertion::BeginText;  // Check
};

struct ExpressionTree {
    ExpressionNode Root;
    std::vector<CharacterSet> Sets;
    int GroupCount = 0;
};

// The tree of `pattern` (what Oniguruma compiles) when all of it is syntax whose meaning
// in Oniguruma's Perl syntax, as the library compiles it, is beyond doubt: literals,
// classes, . \d \w \s and their negations, groups, alternatives, greedy and lazy
// quantifiers on what cannot match nothing, ^ $ \A \z \Z \b \B. Anything else, or a
// repetition too large to unroll, gives nothing.
std::optional<ExpressionTree> ParseExpressionTree(std::string_view pattern, const TextCharacters& characters,
                                                  bool ignoreCase, bool multiline);

}  // namespace bregexp
