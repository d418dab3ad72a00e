#include "engine/RunCheck.h"

#include <algorithm>

#include "engine/RegexReplace.h"

namespace {

bool IsRegularExpression(const ReplacePattern& pattern)
{
    return HasOption(pattern.Options, RegularExpression);
}

// The patterns the run applies: the replace list's in a full-automatic run, else the single one.
bool AnyPatternOfTheRun(const ReplaceJob& job, bool (*test)(const ReplacePattern&))
{
    if (!job.AllAuto)
        return test(job.Pattern);
    return std::any_of(job.Patterns.begin(), job.Patterns.end(), test);
}

}  // namespace

RunRefusal CheckRun(const ReplaceJob& job)
{
    if (!HasRegexLibrary(job) && AnyPatternOfTheRun(job, IsRegularExpression))
        return RunRefusal::NoRegexLibrary;
    return RunRefusal::None;
}
