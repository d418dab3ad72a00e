#include "engine/rewrite/NewTextPlacement.h"

#include "engine/rewrite/DerivedNames.h"
#include "engine/rewrite/FileCommit.h"
#include "engine/rewrite/NewTextReader.h"

OriginalText::OriginalText(const ReplaceJob& job, std::string_view text)
{
    if (job.NewTexts)
        text_.assign(text);
}

FileResult PreviewResult(const ReplaceJob& job, const ReadFile& read, FileResult count)
{
    if (IsAborted(job.AbortRequested))
        return Cancel;
    // The run makes the new text beside the file and puts it in place: the preview fails
    // where either would.
    return count > 0 && !(platform::CanReplace(read.Path, &read.Stamp) && platform::CanCreate(TemporaryPathOf(read.Path)))
               ? WriteErr
               : count;
}

FileResult PlaceNewText(const ReplaceJob& job, const std::string& listedPath, const ReadFile& read,
                        std::string_view before, TextEncoding encoding, std::string_view after, FileResult count,
                        bool backUp, ProcessedFiles* processed)
{
    const FileResult result =
        job.Preview ? PreviewResult(job, read, count)
                    : CommitNewText(job.AbortRequested, read.Path, after.data(), after.size(), count, backUp, read.Stamp,
                                    processed, job.Commits);
    if (result > 0 && job.NewTexts)
        job.NewTexts->OnNewText(listedPath, encoding, before, after);
    return result;
}
