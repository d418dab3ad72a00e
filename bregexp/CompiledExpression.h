#pragma once
#include <oniguruma.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "bregexp/LiteralPrefixes.h"
#include "bregexp/RegexCommand.h"

class CharacterRule;

namespace bregexp {

// One expression compiled by Oniguruma with its modifiers, and the region of its last match.
class CompiledExpression {
public:
    // Null when Oniguruma rejects the expression; `error` then says why.
    static std::unique_ptr<CompiledExpression> Compile(const RegexCommand& command, std::string& error);

    ~CompiledExpression();
    CompiledExpression(const CompiledExpression&) = delete;
    CompiledExpression& operator=(const CompiledExpression&) = delete;

    int GroupCount() const { return groupCount_; }

    // The part of [textStart, textEnd) a search may be given. Reading characters, a first
    // byte without the bytes it announces at the very end is left out: Oniguruma would
    // read the missing ones.
    const char* SearchableEnd(const char* textStart, const char* textEnd) const;

    // Length of the character at `position` before `end`: one byte in Shift-JIS without k.
    std::size_t CharacterLengthAt(const char* position, const char* end) const;

    // Looks for the first match that starts in [from, end], with the whole of
    // [textStart, end) as the text, so that ^ and lookbehind see what precedes `from`.
    // Returns the match's offset from textStart, ONIG_MISMATCH, or an Oniguruma error code.
    int Search(const char* textStart, const char* end, const char* from);

    // Offsets of group n of the last match from textStart; negative when it took no part.
    int GroupBegin(int group) const { return region_->beg[group]; }
    int GroupEnd(int group) const { return region_->end[group]; }

private:
    CompiledExpression() = default;

    OnigRegex regex_ = nullptr;
    OnigRegion* region_ = nullptr;
    OnigMatchParam* matchParam_ = nullptr;
    const CharacterRule* characters_ = nullptr;  // null when the text is read byte by byte
    std::optional<LiteralPrefixes> prefixes_;  // what every match begins with, where known
    int groupCount_ = 0;
};

}  // namespace bregexp
