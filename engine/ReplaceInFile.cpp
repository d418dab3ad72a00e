#include "engine/ReplaceInFile.h"

#include "engine/EncodingDetection.h"
#include "engine/FileCommit.h"
#include "engine/FileText.h"
#include "engine/LiteralRewrite.h"
#include "engine/RegexReplace.h"

namespace {

FileResult ReplaceLiteralInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                                bool backUp, ProcessedFiles* processed)
{
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    if (content.Size() == 0)
        return 0;
    const TextEncoding encoding = EncodingOfFile(job.Encoding, {content.Data(), content.Size()});
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    RewrittenText text(content.Data(), content.Size());
    const FileResult count =
        RewriteFileTextLiterally(job.AbortRequested, text, job.EncodedPatterns.Get(pattern, encoding));
    if (count < 0)
        return count;
    return CommitNewText(job.AbortRequested, content.ReadPath(), text.Data(), text.Size(), count, backUp,
                         content.Stamp(), processed);
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
    return ReplaceLiteralInFile(job, path, pattern, backUp, processed);
}
