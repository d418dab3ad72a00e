#include "engine/RegexReplace.h"

#include "engine/BregexpLibrary.h"
#include "engine/EncodingDetection.h"
#include "engine/EngineSettings.h"
#include "engine/FileText.h"
#include "engine/NewTextPlacement.h"
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
                              FileFacts& facts)
{
    if (!HasRegexLibrary(job))
        return RegExpER;
    platform::FileContent content;
    if (const FileResult read = ReadFileText(path, content); read != 0)
        return read;
    if (content.Size() == 0)
        return 0;
    const TextEncoding encoding = EncodingOfFile(job.Encoding, {content.Data(), content.Size()});
    facts.Encoding = encoding;
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    const bool librarySubstitutes = LibrarySubstitutes(job);
    // The library's new text lives in the handle, which the rewrite keeps until the commit
    // is done.
    RegexRewrite rewrite(*job.RegexLibrary);
    const FileResult count = rewrite.Apply(job.AbortRequested, content.Data(), content.Size(),
                                           job.EncodedPatterns.Get(pattern, encoding), librarySubstitutes);
    if (count < 0)
        return count;
    // The text read stays as it was: the new one is the rewrite's own.
    return PlaceNewText(job, path, content, {content.Data(), content.Size()}, encoding,
                        {rewrite.Data(), rewrite.Size()}, count, job.BackUp);
}
