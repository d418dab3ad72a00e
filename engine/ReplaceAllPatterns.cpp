#include "engine/ReplaceAllPatterns.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/DerivedNames.h"
#include "engine/EncodingDetection.h"
#include "engine/FileText.h"
#include "engine/LiteralRewrite.h"
#include "engine/NewTextPlacement.h"
#include "engine/RegexReplace.h"
#include "engine/RegexRewrite.h"
#include "platform/FileSystem.h"

namespace {

FileResult RewriteWithRegex(const ReplaceJob& job, RewrittenText& text, const EncodedPattern& pattern)
{
    if (!HasRegexLibrary(job))
        return RegExpER;
    if (text.Size() == 0)
        return 0;
    RegexRewrite rewrite(*job.RegexLibrary);
    const FileResult count =
        rewrite.Apply(job.AbortRequested, text.Data(), text.Size(), pattern, LibrarySubstitutes(job));
    if (count > 0) {
        std::string rewritten = rewrite.TakeText();
        text.TakeOver(rewritten);
    }
    return count;
}

FileResult RewriteWithPattern(const ReplaceJob& job, RewrittenText& text, const EncodedPattern& pattern)
{
    if (HasOption(pattern.Options, RegularExpression))
        return RewriteWithRegex(job, text, pattern);
    return RewriteFileTextLiterally(job.AbortRequested, text, pattern);
}

// The backup of a file no pattern changed: a copy, since a second name of the file would
// change with it when the file is later edited in place. The copy is made under the
// temporary name and takes the backup's name in one step, so that a run stopped meanwhile
// leaves the older backup or this one, never half of one.
void KeepUntouchedBackup(const std::string& path)
{
    const std::string temporary = TemporaryPathOf(path);
    platform::RemoveFile(temporary);
    if (!platform::CopyFileNoOverwrite(path, temporary) || !platform::RenameReplacing(temporary, BackupPathOf(path)))
        platform::RemoveFile(temporary);
}

}  // namespace

FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path, FileFacts* facts,
                              ProcessedFiles* processed)
{
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    // The encoding is that of the file as it was read; no pattern changes it.
    const TextEncoding encoding = EncodingOfFile(job.Encoding, {content.Data(), content.Size()});
    if (facts)
        facts->Encoding = encoding;
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    const OriginalText before(job, {content.Data(), content.Size()});
    RewrittenText text(content.Data(), content.Size());
    std::uint64_t total = 0;
    for (const ReplacePattern& pattern : job.Patterns) {
        const FileResult count = RewriteWithPattern(job, text, job.EncodedPatterns.Get(pattern, encoding));
        if (count < 0)
            return count;
        total += static_cast<std::uint64_t>(count);
    }
    const auto count = static_cast<FileResult>(std::min<std::uint64_t>(total, std::numeric_limits<FileResult>::max()));
    if (count == 0 && job.BackUp && !job.Preview && !IsAborted(job.AbortRequested)) {
        KeepUntouchedBackup(content.ReadPath());
        return 0;
    }
    return PlaceNewText(job, path, {content.ReadPath(), content.Stamp()}, before.View(), encoding, text.View(), count,
                        job.BackUp, processed);
}
