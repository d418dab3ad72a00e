#include "engine/rewrite/ReplaceInFile.h"

#include "engine/rewrite/FileText.h"
#include "engine/rewrite/LiteralStream.h"
#include "engine/rewrite/NewTextSink.h"
#include "engine/rewrite/RegexReplace.h"

namespace {

// The file is read a block at a time and its new text written as it is made, so that a
// file of any size is rewritten in a few megabytes.
FileResult ReplaceLiteralInFile(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                                const ReplacePattern& pattern, FileFacts& facts, ProcessedFiles* processed)
{
    if (file.Size() == 0)
        return 0;
    FileSource source(file);
    if (const FileResult read = source.ReadFirst(FirstBlockSize); read != 0)
        return read;
    NewTextSink sink(job, file);
    DetectedEncoding encoding;
    const FileResult count =
        InTheTextsEncoding(job, path, source, encoding, [&](TextEncoding in, EncodingDetector* detector) {
            return RewriteLiterally(job, {&pattern, 1}, source, in, detector, sink.Restart(), false);
        });
    facts.Set(encoding);
    if (count < 0)
        return count;
    return sink.Place(path, encoding.Encoding, count, job.BackUp, processed);
}

}  // namespace

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                         FileFacts* facts, ProcessedFiles* processed)
{
    // Refused before the file is even looked at.
    if (HasOption(pattern.Options, RegularExpression) && !HasRegexLibrary(job))
        return RegExpER;
    FileFacts ignored;
    platform::FileReader file;
    if (const FileResult opened = OpenFileText(path, file); opened != 0)
        return opened;
    return ReplaceInFile(job, path, file, pattern, facts ? *facts : ignored, processed);
}

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                         const ReplacePattern& pattern, FileFacts& facts, ProcessedFiles* processed)
{
    if (HasOption(pattern.Options, RegularExpression))
        return ReplaceRegexInFile(job, path, file, pattern, facts, processed);
    return ReplaceLiteralInFile(job, path, file, pattern, facts, processed);
}
