#pragma once
#include <oniguruma.h>

#include <cstddef>
#include <memory>
#include <string>

#include "bregexp/Matcher.h"
#include "bregexp/OnePassMatcher.h"
#include "bregexp/RegexCommand.h"

class CharacterRule;

namespace bregexp {

class OnigurumaMatcher;
class TextCharacters;

// Which matchers an expression may be searched with. Handles are made for the first; the
// second is the reference our own matcher is compared with.
enum class MatcherChoice { OwnWhereItCan, OnigurumaOnly };

// One expression compiled with its modifiers, and the groups of its last match. Oniguruma
// always compiles it, which decides whether it is accepted; where our own matcher takes
// the expression it searches first, and leaves to Oniguruma what it cannot be sure of.
// Changed at every search (which matcher answered): in lines of memory of its own.
class alignas(64) CompiledExpression {
public:
    // Null when Oniguruma rejects the expression; `error` then says why.
    static std::unique_ptr<CompiledExpression> Compile(const RegexCommand& command, std::string& error,
                                                       MatcherChoice choice = MatcherChoice::OwnWhereItCan);

    ~CompiledExpression();
    CompiledExpression(const CompiledExpression&) = delete;
    CompiledExpression& operator=(const CompiledExpression&) = delete;

    int GroupCount() const { return groupCount_; }
    // Whether our own matcher takes the expression.
    bool HasOwnMatcher() const { return own_ != nullptr; }

    // The part of [textStart, textEnd) a search may be given. Reading characters, a first
    // byte without the bytes it announces at the very end is left out: Oniguruma would
    // read the missing ones.
    const char* SearchableEnd(const char* textStart, const char* textEnd) const
    {
        // In every encoding read by characters, a seven-bit byte is a character of its own
        // or the last byte of one: after it no character reaches past the end.
        if (!characters_ || (textEnd > textStart && static_cast<unsigned char>(textEnd[-1]) < 0x80))
            return textEnd;
        return CutEnd(textStart, textEnd);
    }

    // Length of the character at `position` before `end`: one byte in Shift-JIS without k.
    std::size_t CharacterLengthAt(const char* position, const char* end) const;

    // Looks for the first match that starts in [from, end], with the whole of
    // [textStart, end) as the text, so that ^ and lookbehind see what precedes `from`.
    // Returns the match's offset from textStart, ONIG_MISMATCH, or an Oniguruma error code.
    int Search(const char* textStart, const char* end, const char* from)
    {
        if (own_) {
            const int found = own_->Search(textStart, end, from);
            if (found != Matcher::Undecided) {
                ownAnswered_ = true;
                return found;
            }
        }
        return SearchWithOniguruma(textStart, end, from);
    }
    // See OnePassMatcher::SearchOnward and TakeAsWellFormed.
    void SearchOnward(bool onward);
    void TakeAsWellFormed(const char* text, const char* end);

    // Offsets of group n of the last match from textStart; negative when it took no part.
    // Our own matcher's answers are read without a virtual call: every match asks for them.
    int GroupBegin(int group) const
    {
        return ownAnswered_ ? own_->GroupBegin(group) : onigurumaAnswers_->GroupBegin(group);
    }
    int GroupEnd(int group) const { return ownAnswered_ ? own_->GroupEnd(group) : onigurumaAnswers_->GroupEnd(group); }
    void PointGroups(const char* textStart, int last, char** starts, char** ends) const
    {
        if (ownAnswered_)
            own_->PointGroups(textStart, last, starts, ends);
        else
            onigurumaAnswers_->PointGroups(textStart, last, starts, ends);
    }

private:
    CompiledExpression() = default;
    const char* CutEnd(const char* textStart, const char* textEnd) const;
    int SearchWithOniguruma(const char* textStart, const char* end, const char* from);

    std::unique_ptr<OnigurumaMatcher> oniguruma_;
    std::unique_ptr<OnePassMatcher> own_;  // null where our own matcher does not take the expression
    const Matcher* onigurumaAnswers_ = nullptr;  // oniguruma_, through what every matcher answers
    bool ownAnswered_ = false;                   // our own matcher found the last match, not Oniguruma
    const CharacterRule* characters_ = nullptr;  // null when the text is read byte by byte
    const TextCharacters* textCharacters_ = nullptr;  // the characters as Oniguruma reads them
    int groupCount_ = 0;
};

}  // namespace bregexp
