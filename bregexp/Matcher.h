#pragma once

namespace bregexp {

// Finds the matches of one compiled expression. Oniguruma is one implementation; our own
// matcher for the expressions that need no backtracking is the other, and answers only
// where it is sure to find what Oniguruma finds.
class Matcher {
public:
    virtual ~Matcher() = default;

    // What Search returns when this matcher leaves the search to another one.
    static constexpr int Undecided = -0x7FFF0000;

    // Looks for the first match that starts in [from, end], with the whole of
    // [textStart, end) as the text, so that ^ and lookbehind see what precedes `from`.
    // Returns the match's offset from textStart, ONIG_MISMATCH, an Oniguruma error code,
    // or Undecided.
    virtual int Search(const char* textStart, const char* end, const char* from) = 0;

    // Offsets of group n of the last match from textStart; negative when it took no part.
    virtual int GroupBegin(int group) const = 0;
    virtual int GroupEnd(int group) const = 0;

    // Points starts[n] and ends[n] at groups 1 to `last` of the last match in the text
    // that begins at `textStart`, null for a group that took no part; in one call, since
    // the program asks for them after every match.
    virtual void PointGroups(const char* textStart, int last, char** starts, char** ends) const = 0;
};

}  // namespace bregexp
