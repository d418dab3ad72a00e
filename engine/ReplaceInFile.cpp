#include "engine/ReplaceInFile.h"

#include "engine/FileCommit.h"
#include "engine/FileText.h"
#include "engine/LiteralRewrite.h"
#include "engine/RegexReplace.h"

namespace {

FileResult ReplaceLiteralInFile(const AbortFlag& abort, const std::string& path, const ReplacePattern& pattern,
                                bool backUp, ProcessedFiles* processed)
{
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    if (content.Size() == 0)
        return 0;
    RewrittenText text(content.Data(), content.Size());
    const FileResult count = RewriteFileTextLiterally(abort, text, pattern);
    if (count < 0)
        return count;
    return CommitNewText(abort, content.ReadPath(), text.Data(), text.Size(), count, backUp, content.Stamp(),
                         processed);
}

}  // namespace

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern)
{
    return ReplaceInFile(job, path, pattern, job.BackUp);
}

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                         bool backUp, ProcessedFiles* processed)
{
    if (HasOption(pattern.Options, RegularExpression))
        return ReplaceRegexInFile(job, path, pattern, backUp, processed);
    return ReplaceLiteralInFile(job.AbortRequested, path, pattern, backUp, processed);
}
