#include "bregexp/HandleState.h"

#include <cstring>

#include "bregexp/ErrorResult.h"
#include "bregexp/RegexCommand.h"

namespace bregexp {

namespace {

int Reject(RegexHandle** handle, char* message, int result, const std::string& reason)
{
    FreeHandle(*handle);
    *handle = nullptr;
    WriteMessage(message, reason);
    return result;
}

RegexHandle* NewHandle()
{
    auto created = std::make_unique<RegexHandle>();
    created->LibraryData[0] = std::make_unique<HandleState>().release();
    return created.release();
}

}  // namespace

HandleState& StateOf(RegexHandle& handle)
{
    return *static_cast<HandleState*>(handle.LibraryData[0]);
}

int PrepareHandle(RegexHandle** handle, const char* command, CommandKind kind, char* message)
{
    if (*handle) {
        const HandleState& state = StateOf(**handle);
        // Asked at every search of a file: compared where they first differ, without
        // measuring the caller's text first.
        if (state.Kind == kind && std::strcmp(state.CommandText.c_str(), command) == 0)
            return 0;
    }

    const ParsedCommand parsed =
        kind == CommandKind::Match ? ParseMatchCommand(command) : ParseSubstituteCommand(command);
    if (parsed.Error)
        return Reject(handle, message, MalformedCommand, parsed.Error);
    std::string error;
    const MatcherChoice choice = *handle ? StateOf(**handle).Choice : MatcherChoice::OwnWhereItCan;
    std::unique_ptr<CompiledExpression> expression = CompiledExpression::Compile(parsed.Command, error, choice);
    if (!expression)
        return Reject(handle, message, RejectedExpression, error);

    // Everything that can fail is done before the handle changes.
    SubstitutionTemplate replacement =
        ParseSubstitutionTemplate(parsed.Command.Replacement, parsed.Command.Options.Encoding);
    std::string commandText(command);
    LineArray<char*> starts(expression->GroupCount() + 1u, nullptr);
    LineArray<char*> ends(expression->GroupCount() + 1u, nullptr);
    if (!*handle)
        *handle = NewHandle();

    RegexHandle& record = **handle;
    HandleState& state = StateOf(record);
    state.Kind = kind;
    state.CommandText = std::move(commandText);
    state.Options = parsed.Command.Options;
    state.Replacement = std::move(replacement);
    state.Expression = std::move(expression);
    state.GroupStarts = std::move(starts);
    state.GroupEnds = std::move(ends);
    record.GroupStarts = state.GroupStarts.data();
    record.GroupEnds = state.GroupEnds.data();
    record.GroupCount = state.Expression->GroupCount();
    return 0;
}

void SetReceiver(RegexHandle** handle, BOutputFunction receiver, void* context)
{
    if (!*handle)
        *handle = NewHandle();
    HandleState& state = StateOf(**handle);
    state.Receiver = receiver;
    state.ReceiverContext = context;
}

void ChooseMatchers(RegexHandle** handle, MatcherChoice choice)
{
    if (!*handle)
        *handle = NewHandle();
    StateOf(**handle).Choice = choice;
}

bool UsesOwnMatcher(RegexHandle& handle)
{
    const HandleState& state = StateOf(handle);
    return state.Expression && state.Expression->HasOwnMatcher();
}

void FreeHandle(RegexHandle* handle)
{
    if (!handle)
        return;
    delete static_cast<HandleState*>(handle->LibraryData[0]);
    delete handle;
}

void ClearGroups(RegexHandle& handle)
{
    for (int group = 0; group <= handle.GroupCount; ++group) {
        handle.GroupStarts[group] = nullptr;
        handle.GroupEnds[group] = nullptr;
    }
}

}  // namespace bregexp
