#include "engine/RegexReplace.h"

#include "engine/BregexpLibrary.h"
#include "engine/EngineSettings.h"
#include "engine/FileCommit.h"
#include "engine/FileText.h"
#include "engine/RegexRewrite.h"

bool HasRegexLibrary(const ReplaceJob& job)
{
    return job.RegexLibrary && job.RegexLibrary->IsLoaded();
}

bool LibrarySubstitutes(const ReplaceJob& job)
{
    return job.Settings && job.Settings->ReadBregexp() != 0;
}

FileResult ReplaceRegexInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                              bool backUp, ProcessedFiles* processed)
{
    if (!HasRegexLibrary(job))
        return RegExpER;
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    if (content.Size() == 0)
        return 0;
    const bool librarySubstitutes = LibrarySubstitutes(job);
    // The library's new text lives in the handle, which the rewrite keeps until the commit
    // is done.
    RegexRewrite rewrite(*job.RegexLibrary);
    const FileResult count =
        rewrite.Apply(job.AbortRequested, content.Data(), content.Size(), pattern, librarySubstitutes);
    if (count < 0)
        return count;
    return CommitNewText(job.AbortRequested, content.ReadPath(), rewrite.Data(), rewrite.Size(), count, backUp,
                         content.Stamp(), processed);
}
