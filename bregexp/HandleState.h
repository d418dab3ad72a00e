#pragma once
#include <memory>
#include <string>
#include <vector>

#include "bregexp/CompiledExpression.h"
#include "bregexp/LineArray.h"
#include "bregexp/SubstitutionTemplate.h"
#include "engine/regex/BregexpApi.h"

namespace bregexp {

enum class CommandKind { Match, Substitute };

// What the library keeps behind a handle; the record's first private slot points to it.
struct HandleState {
    CommandKind Kind = CommandKind::Match;
    std::string CommandText;  // the command the expression was compiled from
    Modifiers Options;
    MatcherChoice Choice = MatcherChoice::OwnWhereItCan;
    SubstitutionTemplate Replacement;
    std::unique_ptr<CompiledExpression> Expression;
    LineArray<char*> GroupStarts;  // the arrays the record's group fields point to
    LineArray<char*> GroupEnds;
    std::string Output;  // the text of the last substitution
    // Where substitutions hand their new text over instead, when the caller asked for it.
    BOutputFunction Receiver = nullptr;
    void* ReceiverContext = nullptr;
};

HandleState& StateOf(RegexHandle& handle);

// Makes *handle ready for `command`: a handle that was compiled from the same command text
// for the same kind of call is reused as it is, any other command is compiled into it, and
// the first call creates it. A malformed command or a rejected expression frees the handle,
// sets *handle to null, writes the reason and returns the negative result; 0 otherwise.
int PrepareHandle(RegexHandle** handle, const char* command, CommandKind kind, char* message);

// Makes *handle, when it is null, an empty handle that the next call compiles its command
// into, and has its substitutions hand their text to `receiver` (none when it is null).
void SetReceiver(RegexHandle** handle, BOutputFunction receiver, void* context);

void FreeHandle(RegexHandle* handle);

// Makes *handle, when it is null, an empty handle whose commands are compiled for
// `choice`: the tests' way to a handle that searches with Oniguruma alone.
void ChooseMatchers(RegexHandle** handle, MatcherChoice choice);

// Whether the expression of a prepared handle is searched by our own matcher first.
bool UsesOwnMatcher(RegexHandle& handle);

struct MatchSpan {
    const char* Start;
    const char* End;
};

// Points the record's groups at the last match of `expression`, the handle's, in the text
// starting at `textStart`; group 0 is `match`.
inline void SetGroups(RegexHandle& handle, const CompiledExpression& expression, const char* textStart,
                      MatchSpan match)
{
    handle.GroupStarts[0] = const_cast<char*>(match.Start);
    handle.GroupEnds[0] = const_cast<char*>(match.End);
    expression.PointGroups(textStart, handle.GroupCount, handle.GroupStarts, handle.GroupEnds);
}
void ClearGroups(RegexHandle& handle);

}  // namespace bregexp
