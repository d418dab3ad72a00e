#include "engine/run/RunCheck.h"

#include <algorithm>

#include "engine/regex/BregexpLibrary.h"
#include "engine/pattern/RegexCommandText.h"
#include "engine/rewrite/RegexReplace.h"

namespace {

bool IsRegularExpression(const ReplacePattern& pattern)
{
    return HasOption(pattern.Options, RegularExpression);
}

// The patterns the run applies: the replace list's in a full-automatic run, else the single one.
PatternList PatternsOfTheRun(const ReplaceJob& job)
{
    return job.AllAuto ? job.Patterns : PatternList{job.Pattern};
}

RunRefusal CheckReplaceList(const ReplaceJob& job)
{
    if (!job.AllAuto)
        return RunRefusal::None;
    switch (job.PatternsState) {
    case ReplaceListState::NotFound:
        return RunRefusal::ReplaceListNotFound;
    case ReplaceListState::Unreadable:
        return RunRefusal::ReplaceListUnreadable;
    case ReplaceListState::Read:
        break;
    }
    return job.Patterns.empty() ? RunRefusal::ReplaceListEmpty : RunRefusal::None;
}

// Compiles the expression through the library's own entry point, on an empty text, in
// the form the run hands it over; the library's message when it refuses it.
bool LibraryAccepts(const ReplaceJob& job, const ReplacePattern& pattern, std::string& message)
{
    static const char empty[] = "";
    const BregexpLibrary& library = *job.RegexLibrary;
    const bool substitute = LibrarySubstitutes(job);
    // In the encoding it was typed in, read by characters as the run reads it.
    const std::string command =
        (substitute ? SubstituteCommandText(pattern.Find, pattern.Replace, pattern.Options, pattern.Typed)
                    : MatchCommandText(pattern.Find, pattern.Options, pattern.Typed)) +
        EncodingModifier(pattern.Typed);
    RegexHandle* handle = nullptr;
    char words[RegexMessageSize] = {};
    const int result = substitute ? library.BSubst(command.c_str(), empty, empty, &handle, words)
                                  : library.BMatch(command.c_str(), empty, empty, &handle, words);
    if (handle)
        library.BRegfree(handle);
    if (result >= 0 && handle)
        return true;
    message = words;
    return false;
}

}  // namespace

RunCheck CheckRun(const ReplaceJob& job)
{
    RunCheck check;
    check.Refusal = CheckReplaceList(job);
    if (check.Refused())
        return check;
    const PatternList patterns = PatternsOfTheRun(job);
    if (std::none_of(patterns.begin(), patterns.end(), IsRegularExpression))
        return check;
    if (!HasRegexLibrary(job)) {
        check.Refusal = RunRefusal::NoRegexLibrary;
        return check;
    }
    for (const ReplacePattern& pattern : patterns) {
        if (IsRegularExpression(pattern) && !LibraryAccepts(job, pattern, check.LibraryMessage)) {
            check.Refusal = RunRefusal::RejectedExpression;
            check.Expression = pattern.Find;
            return check;
        }
    }
    return check;
}
