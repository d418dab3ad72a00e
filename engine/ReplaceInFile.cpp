#include "engine/ReplaceInFile.h"

#include "engine/EncodingDetection.h"
#include "engine/FileText.h"
#include "engine/LiteralRewrite.h"
#include "engine/NewTextPlacement.h"
#include "engine/RegexReplace.h"

namespace {

FileResult ReplaceLiteralInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                                FileFacts& facts, ProcessedFiles* processed)
{
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    if (content.Size() == 0)
        return 0;
    const TextEncoding encoding = EncodingOfFile(job.Encoding, {content.Data(), content.Size()});
    facts.Encoding = encoding;
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    const OriginalText before(job, {content.Data(), content.Size()});
    RewrittenText text(content.Data(), content.Size());
    const FileResult count =
        RewriteFileTextLiterally(job.AbortRequested, text, job.EncodedPatterns.Get(pattern, encoding));
    if (count < 0)
        return count;
    return PlaceNewText(job, path, {content.ReadPath(), content.Stamp()}, before.View(), encoding, text.View(), count,
                        job.BackUp, processed);
}

}  // namespace

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                         FileFacts* facts, ProcessedFiles* processed)
{
    FileFacts ignored;
    FileFacts& told = facts ? *facts : ignored;
    if (HasOption(pattern.Options, RegularExpression))
        return ReplaceRegexInFile(job, path, pattern, told, processed);
    return ReplaceLiteralInFile(job, path, pattern, told, processed);
}
