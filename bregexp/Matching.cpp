#include "bregexp/Matching.h"

#include <algorithm>
#include <memory>
#include <string>

#include "bregexp/ErrorResult.h"
#include "bregexp/HandleState.h"
#include "bregexp/OnigurumaSetup.h"
#include "engine/flow/TextOutput.h"

namespace bregexp {

namespace {

int SearchFailure(char* message, int code)
{
    WriteMessage(message, "search stopped: " + OnigurumaErrorText(code));
    return code == ONIGERR_MEMORY ? OutOfMemory : SearchFailed;
}

// Where a substitution's new text goes: to the caller's receiver when it asked for that,
// gathered into pieces of a fixed size so that it is called seldom, otherwise into one
// text that the handle keeps.
class SubstitutionOutput final : public TextOutput {
public:
    // `size`: the size of the target, which a whole new text is likely to have.
    SubstitutionOutput(const HandleState& state, std::size_t size)
        : receiver_(state.Receiver), context_(state.ReceiverContext)
    {
        if (!receiver_) {
            text_.reserve(size);
            return;
        }
        piece_.reset(new char[PieceSize]);
        cursor_ = piece_.get();
        room_ = PieceSize;
    }

    // Hands over what is gathered.
    bool Finish() { return !receiver_ || HandOver(); }

    bool HandsOver() const { return receiver_ != nullptr; }
    std::string& Text() { return text_; }

private:
    static constexpr std::size_t PieceSize = 64 * 1024;

    bool WriteOut(const char* data, std::size_t size) override
    {
        if (!receiver_) {
            text_.append(data, size);
            return true;
        }
        if (!HandOver())
            return false;
        if (size >= room_)
            return receiver_(context_, data, size) != 0;
        return Write(data, size);
    }

    bool HandOver()
    {
        const auto size = static_cast<std::size_t>(cursor_ - piece_.get());
        cursor_ = piece_.get();
        room_ = PieceSize;
        return size == 0 || receiver_(context_, piece_.get(), size) != 0;
    }

    BOutputFunction receiver_;
    void* context_;
    std::string text_;                // the whole new text, without a receiver
    std::unique_ptr<char[]> piece_;  // the piece being gathered, with one
};

bool AppendReplacement(SubstitutionOutput& out, const SubstitutionTemplate& replacement,
                       const CompiledExpression& expression, const char* text)
{
    for (const SubstitutionTemplate::Piece& piece : replacement.Pieces) {
        if (piece.Group < 0) {
            if (!out.Write(piece.Text.data(), piece.Text.size()))
                return false;
            continue;
        }
        if (piece.Group > expression.GroupCount())
            continue;
        const int begin = expression.GroupBegin(piece.Group);
        if (begin >= 0 && !out.Write(text + begin, static_cast<std::size_t>(expression.GroupEnd(piece.Group) - begin)))
            return false;
    }
    return true;
}

int RefusedOutput(RegexHandle& handle, char* message)
{
    ClearGroups(handle);
    WriteMessage(message, "the receiver of the new text refused it");
    return OutputRefused;
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

namespace {

// MatchInTarget, inline where matches are found one after another.
inline int FindInTarget(RegexHandle& handle, CompiledExpression& expression, const char* start, const char* end,
                        char* message)
{
    const int found = expression.Search(start, expression.SearchableEnd(start, end), start);
    if (found == ONIG_MISMATCH) {
        ClearGroups(handle);
        return 0;
    }
    if (found < 0) {
        ClearGroups(handle);
        return SearchFailure(message, found);
    }
    SetGroups(handle, expression, start, SpanOfMatch(expression, start, start));
    return 1;
}

}  // namespace

int MatchInTarget(RegexHandle& handle, const char* start, const char* end, char* message)
{
    return FindInTarget(handle, *StateOf(handle).Expression, start, end, message);
}

int MatchEachInTarget(RegexHandle& handle, const char* start, const char* end, char* message,
                      BOnwardFunction onward, void* context, bool wellFormed)
{
    CompiledExpression& expression = *StateOf(handle).Expression;
    // Nothing but `onward` runs between two searches, and the text does not change.
    expression.SearchOnward(true);
    if (wellFormed)
        expression.TakeAsWellFormed(start, end);
    struct Reset {
        CompiledExpression& Expression;
        ~Reset() { Expression.SearchOnward(false); }
    } reset{expression};
    int count = 0;
    for (const char* from = start;;) {
        const int found = FindInTarget(handle, expression, from, end, message);
        if (found <= 0)
            return found < 0 ? found : count;
        ++count;
        const char* next = onward(context, &handle);
        if (!next)
            return count;
        if (next <= from || next > end) {
            ClearGroups(handle);
            WriteMessage(message, "the next search would not begin later in the target");
            return InvalidArguments;
        }
        from = next;
    }
}

int SubstituteInTarget(RegexHandle& handle, const char* start, const char* end, char* message)
{
    HandleState& state = StateOf(handle);
    CompiledExpression& expression = *state.Expression;
    const char* searchable = expression.SearchableEnd(start, end);

    SubstitutionOutput out(state, static_cast<std::size_t>(end - start));
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
        if (!out.Write(copied, static_cast<std::size_t>(matchStart - copied)) ||
            !AppendReplacement(out, state.Replacement, expression, start))
            return RefusedOutput(handle, message);
        copied = matchEnd;
        ++count;
        SetGroups(handle, expression, start, match);
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
        if (!out.Write(matchEnd, length))
            return RefusedOutput(handle, message);
        copied = matchEnd + length;
        from = copied;
    }
    if (count == 0) {
        ClearGroups(handle);
        return 0;
    }
    if (!out.Write(copied, static_cast<std::size_t>(end - copied)) || !out.Finish())
        return RefusedOutput(handle, message);
    // Handed over, the text is no longer here to point at.
    state.Output = std::move(out.Text());
    handle.OutputStart = out.HandsOver() ? nullptr : state.Output.data();
    handle.OutputEnd = out.HandsOver() ? nullptr : state.Output.data() + state.Output.size();
    return count;
}

}  // namespace bregexp
