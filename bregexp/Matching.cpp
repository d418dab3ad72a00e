#include "bregexp/Matching.h"

#include <algorithm>
#include <string>

#include "bregexp/ErrorResult.h"
#include "bregexp/HandleState.h"
#include "bregexp/OnigurumaSetup.h"

namespace bregexp {

namespace {

int SearchFailure(char* message, int code)
{
    WriteMessage(message, "search stopped: " + OnigurumaErrorText(code));
    return code == ONIGERR_MEMORY ? OutOfMemory : SearchFailed;
}

void AppendGroup(std::string& out, const CompiledExpression& expression, const char* text, int group)
{
    if (group > expression.GroupCount())
        return;
    const int begin = expression.GroupBegin(group);
    if (begin >= 0)
        out.append(text + begin, text + expression.GroupEnd(group));
}

void AppendReplacement(std::string& out, const SubstitutionTemplate& replacement,
                       const CompiledExpression& expression, const char* text)
{
    for (const SubstitutionTemplate::Piece& piece : replacement.Pieces) {
        if (piece.Group < 0)
            out += piece.Text;
        else
            AppendGroup(out, expression, text, piece.Group);
    }
}

// Where the match found by a search that began at `from` lies. \K inside a lookbehind makes
// Oniguruma report a start before `from`; the match is taken as starting there no earlier,
// so that substitutions never overlap and every search moves on.
MatchSpan SpanOfMatch(const CompiledExpression& expression, const char* text, const char* from)
{
    const char* start = std::max(text + expression.GroupBegin(0), from);
    return {start, std::max(text + expression.GroupEnd(0), start)};
}

}  // namespace

int MatchInTarget(RegexHandle& handle, const char* start, const char* end, char* message)
{
    CompiledExpression& expression = *StateOf(handle).Expression;
    const int found = expression.Search(start, expression.SearchableEnd(start, end), start);
    if (found == ONIG_MISMATCH) {
        ClearGroups(handle);
        return 0;
    }
    if (found < 0) {
        ClearGroups(handle);
        return SearchFailure(message, found);
    }
    SetGroups(handle, start, SpanOfMatch(expression, start, start));
    return 1;
}

int SubstituteInTarget(RegexHandle& handle, const char* start, const char* end, char* message)
{
    HandleState& state = StateOf(handle);
    CompiledExpression& expression = *state.Expression;
    const char* searchable = expression.SearchableEnd(start, end);

    std::string out;
    out.reserve(static_cast<std::size_t>(end - start));
    int count = 0;
    const char* copied = start;  // the text before this is in `out`
    const char* from = start;
    // The text start stays fixed, so that ^ and lookbehind see the real text; only the
    // place where the next match may start moves on.
    while (from <= searchable) {
        const int found = expression.Search(start, searchable, from);
        if (found == ONIG_MISMATCH)
            break;
        if (found < 0) {
            ClearGroups(handle);
            return SearchFailure(message, found);
        }
        const MatchSpan match = SpanOfMatch(expression, start, from);
        const char* matchStart = match.Start;
        const char* matchEnd = match.End;
        out.append(copied, matchStart);
        AppendReplacement(out, state.Replacement, expression, start);
        copied = matchEnd;
        ++count;
        SetGroups(handle, start, match);
        if (!state.Options.Global)
            break;
        if (matchEnd != matchStart) {
            from = matchEnd;
            continue;
        }
        // An empty match: keep the character after it and look again behind that.
        if (matchEnd >= searchable)
            break;
        const std::size_t length = expression.CharacterLengthAt(matchEnd, searchable);
        out.append(matchEnd, length);
        copied = matchEnd + length;
        from = copied;
    }
    if (count == 0) {
        ClearGroups(handle);
        return 0;
    }
    out.append(copied, end);
    state.Output = std::move(out);
    handle.OutputStart = state.Output.data();
    handle.OutputEnd = state.Output.data() + state.Output.size();
    return count;
}

}  // namespace bregexp
