#include "engine/ReplaceInFile.h"

#include <cstring>

#include "engine/FileCommit.h"
#include "engine/FileText.h"
#include "engine/LiteralRewrite.h"
#include "engine/RegexReplace.h"

namespace {

FileResult ReplaceLiteralInFile(const ReplaceJob& job, const std::string& path, const std::string& find,
                                const std::string& replace, PatternOptions options, bool backUp)
{
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    if (content.Size() == 0)
        return 0;
    if (std::memchr(content.Data(), '\0', content.Size()) != nullptr)
        return NoText;
    RewrittenText text(content.Data(), content.Size());
    const FileResult count = RewriteLiteralText(job, text, find, replace, options);
    if (count < 0)
        return count;
    return CommitNewText(job, path, text.Data(), text.Size(), count, backUp);
}

}  // namespace

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const std::string& find,
                         const std::string& replace, PatternOptions options)
{
    return ReplaceInFile(job, path, find, replace, options, job.BackUp);
}

FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const std::string& find,
                         const std::string& replace, PatternOptions options, bool backUp)
{
    if (HasOption(options, RegularExpression))
        return ReplaceRegexInFile(job, path, find, replace, options, backUp);
    return ReplaceLiteralInFile(job, path, find, replace, options, backUp);
}
