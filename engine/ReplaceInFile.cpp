#include "engine/ReplaceInFile.h"

#include <optional>

#include "engine/FileText.h"
#include "engine/LiteralStream.h"
#include "engine/RegexReplace.h"
#include "engine/TemporaryFileOutput.h"

namespace {

// The file is read a block at a time and its new text written as it is made, so that a
// file of any size is rewritten in a few megabytes.
FileResult ReplaceLiteralInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                                bool backUp)
{
    platform::FileReader file;
    if (const FileResult opened = OpenFileText(path, file); opened != 0)
        return opened;
    if (file.Size() == 0)
        return 0;
    FileSource source(file);
    if (const FileResult read = source.ReadFirst(FirstBlockSize); read != 0)
        return read;
    std::optional<TemporaryFileOutput> output;
    TextEncoding encoding;
    const FileResult count =
        InTheTextsEncoding(job.Encoding, source, encoding, [&](TextEncoding in, EncodingDetector* detector) {
            output.emplace(file.ReadPath(), file.Stamp());
            return RewriteLiterally(job, {&pattern, 1}, source, in, detector, *output, false);
        });
    if (count < 0)
        return count;
    // Let go before the file is replaced, which some systems refuse while it is open.
    file.Close();
    return output->Commit(job.AbortRequested, count, backUp);
}

}  // namespace

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern)
{
    return ReplaceInFile(job, path, pattern, job.BackUp);
}

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                         bool backUp)
{
    if (HasOption(pattern.Options, RegularExpression))
        return ReplaceRegexInFile(job, path, pattern, backUp);
    return ReplaceLiteralInFile(job, path, pattern, backUp);
}
