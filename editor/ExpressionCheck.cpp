#include "editor/ExpressionCheck.h"

#include "engine/run/RunCheck.h"
#include "framework/Resources.h"
#include "resources/ResourceIds.h"

std::string ExpressionRejection(const ReplacePattern& pattern, const BregexpLibrary& library)
{
    ReplaceJob job;
    job.Pattern = pattern;
    job.RegexLibrary = &library;
    const RunCheck check = CheckRun(job);
    return check.Refusal == RunRefusal::RejectedExpression ? check.LibraryMessage : std::string();
}

std::string RejectedExpressionText(const std::string& lead, const std::string& expression,
                                   const std::string& libraryMessage)
{
    return lead + "\n\n" + LoadResourceString(IDS_EXPRESSION_LABEL) + expression + "\n" +
           LoadResourceString(IDS_LIBRARY_MESSAGE_LABEL) + libraryMessage;
}
