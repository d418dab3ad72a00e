#include "engine/RegexReplace.h"

#include "engine/BregexpLibrary.h"
#include "engine/EncodingDetection.h"
#include "engine/EngineSettings.h"
#include "engine/FileText.h"
#include "engine/RegexRewrite.h"
#include "engine/TemporaryFileOutput.h"

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
    platform::FileView view;
    if (const FileResult opened = ViewFileText(path, view); opened != 0)
        return opened;
    if (view.Size() == 0)
        return 0;
    const TextEncoding encoding = EncodingOfFile(job.Encoding, {view.Data(), view.Size()});
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    // The new text goes to the temporary file as it is made, so that neither it nor a copy
    // of the old text needs memory.
    const std::string readPath = view.ReadPath();
    TemporaryFileOutput output(readPath, view.Stamp());
    FileResult count;
    {
        RegexRewrite rewrite(*job.RegexLibrary);
        count = rewrite.Apply(job.AbortRequested, view.Data(), view.Size(), job.EncodedPatterns.Get(pattern, encoding),
                              LibrarySubstitutes(job), output);
    }
    // A file cut short while it was read gave zeros for its lost bytes: the text was not
    // the file's. It is let go before the commit, since a mapped file cannot be replaced
    // everywhere.
    const bool lost = view.LostBytes();
    view.Close();
    if (count < 0)
        return count;
    if (lost && count > 0 && !IsAborted(job.AbortRequested))
        return WriteErr;
    return output.Commit(job.AbortRequested, count, backUp, processed);
}
