#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bregexp/LineArray.h"
#include "bregexp/LiteralPrefixes.h"
#include "bregexp/Matcher.h"
#include "bregexp/OnePassProgram.h"
#include "bregexp/RegexCommand.h"
#include "bregexp/TextCharacters.h"

namespace bregexp {


// Our own matcher for the expressions that need no backtracking (OnePassProgram): each
// place a match may begin is tried once, character by character, without a stack. It
// answers only over well-formed characters, and only while its work stays in proportion
// to the text; otherwise its Search is Undecided and Oniguruma is asked.
// What it changes at every search lies in lines of memory of its own, so that the searches
// of other handles on other threads never wait for them.
class alignas(64) OnePassMatcher final : public Matcher {
public:
    // Null when the expression is not one our matcher takes. `pattern` is what Oniguruma
    // compiled, `groupCount` the groups it found.
    static std::unique_ptr<OnePassMatcher> Build(const std::string& pattern, const Modifiers& modifiers,
                                                 int groupCount);

    int Search(const char* textStart, const char* end, const char* from) override;
    // Whether the searches that follow are each given a later part of the one text, which
    // does not change in between: what was read of it holds for them.
    // Nothing read before it is taken as known.
    void SearchOnward(bool onward)
    {
        onward_ = onward;
        knownText_ = nullptr;
    }
    // The text [text, end), Shift-JIS, is known to be well-formed, as its caller checked: the
    // searches onward over it do not read it for that.
    void TakeAsWellFormed(const char* text, const char* end);
    int GroupBegin(int group) const override { return result_[2 * group]; }
    int GroupEnd(int group) const override { return result_[2 * group + 1]; }
    void PointGroups(const char* textStart, int last, char** starts, char** ends) const override;

    // What an expression compiles to, shared by the handles of one expression.
    struct Compiled;

private:
    explicit OnePassMatcher(std::shared_ptr<const Compiled> compiled);
    // What an expression compiles to, or null when our matcher does not take it.
    static std::shared_ptr<const Compiled> Compile(const std::string& pattern, const Modifiers& modifiers,
                                                   int groupCount);

    enum class Attempt { Matched, Failed, Undecided };
    struct Place;

    // The first character start at or after `p` where a match may begin, `end` included
    // when the empty text matches; null when there is none. `undecided` when bytes on the
    // way form no character.
    const char* NextCandidate(const char* p, const char* end, bool& undecided);
    // Whether the text from where it begins up to `until` is known to be well-formed; a
    // text searched again is read ahead, in steps that grow, to know it.
    bool IsKnownWellFormed(const char* until, const char* end);
    // The first byte at or after `p` that a match may begin with, null when there is none.
    const char* NextFirstByte(const char* p, const char* end) const;
    // `afterText`: one of the texts of prefixes_ stands at `start`.
    Attempt MatchAt(const char* text, const char* end, const char* start, bool afterText);
    // The attempt's match, ended by `step` at `offset` after `steps` steps.
    Attempt EndAt(const OnePassStep& step, int offset, long steps);
    // The rest of an attempt at `start`, in `state` at `s` after the character at `before`.
    Attempt MatchOn(const char* text, const char* end, const char* start, const OnePassState* state, const char* s,
                    const char* before, long steps);
    OnePassStep Look(const OnePassState& state, int take, Place& place, std::size_t& length, bool& undecided) const;
    bool ChecksHold(std::uint8_t checks, Place& place, bool& undecided) const;
    void Apply(const OnePassLeaf& leaf, int* slots, int offset) const;

    std::shared_ptr<const Compiled> compiled_;  // shared by every handle of the expression
    const OnePassProgram& program_;
    const TextCharacters& characters_;
    const std::optional<LiteralPrefixes>& prefixes_;  // texts every match begins with, where known
    // The first bytes as ranges, when they are few: looked for 16 at a time.
    const unsigned char* firstLow_;
    const unsigned char* firstSpan_;  // high - low
    int firstRanges_;                 // how many; negative when they are many

    const OnePassState* states_;  // program_'s
    const OnePassLeaf* leaves_;   // program_'s

    LineArray<int> slots_;     // the match being tried
    LineArray<int> fallback_;  // the match the one being tried falls back to
    LineArray<int> result_;    // the last match found
    std::size_t usedSlots_ = 0;  // the slots an attempt sets, in whole chunks
    long steps_ = 0;             // characters taken in the attempts of one search
    const char* searchFrom_ = nullptr;

    // The text before `from` that was read well-formed: a search that begins later needs
    // no second look at it.
    const char* knownText_ = nullptr;
    const char* knownEnd_ = nullptr;
    const char* knownUntil_ = nullptr;
    static constexpr std::size_t FirstAhead = 4096;
    static constexpr std::size_t MostAhead = 1 << 20;
    std::size_t aheadStep_ = FirstAhead;  // how far the next reading ahead goes at least
    bool aheadStopped_ = false;           // bytes that form no character were met ahead
    bool fromAligned_ = false;            // the search began at a character start of the text
    bool onward_ = false;                 // see SearchOnward
};

}  // namespace bregexp
