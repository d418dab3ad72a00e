#include "engine/rewrite/NewTextPlacement.h"

#include "engine/rewrite/DerivedNames.h"
#include "engine/rewrite/FileCommit.h"
#include "engine/rewrite/NewTextReader.h"

OriginalText::OriginalText(const ReplaceJob& job, std::string_view text)
{
    if (job.NewTexts)
        text_.assign(text);
}

namespace {

// Whether the backup of `path` could take its name: a file under that name already is
// replaced through a second name of the file made beside it.
bool CanBackUp(const std::string& path)
{
    const std::string backup = BackupPathOf(path);
    if (!platform::PathExists(backup))
        return platform::CanCreate(backup);
    return !platform::IsFolder(backup) && platform::CanCreate(UntouchedPathOf(path));
}

}  // namespace

FileResult PreviewResult(const ReplaceJob& job, const ReadFile& read, FileResult count, bool backUp)
{
    if (IsAborted(job.AbortRequested))
        return Cancel;
    // The run makes the new text beside the file, with a backup the old one, and puts it in
    // place: the preview fails where any of them would.
    const bool placeable = platform::CanReplace(read.Path, &read.Stamp) && platform::MayBeReplaced(read.Path) &&
                           platform::CanCreate(TemporaryPathOf(read.Path)) && (!backUp || CanBackUp(read.Path));
    return count > 0 && !placeable ? WriteErr : count;
}

FileResult PlaceNewText(const ReplaceJob& job, const std::string& listedPath, const ReadFile& read,
                        std::string_view before, TextEncoding encoding, std::string_view after, FileResult count,
                        bool backUp, ProcessedFiles* processed)
{
    const FileResult result =
        job.Preview ? PreviewResult(job, read, count, backUp)
                    : CommitNewText(job.AbortRequested, read.Path, after.data(), after.size(), count, backUp, read.Stamp,
                                    processed, job.Commits);
    if (result > 0 && job.NewTexts)
        job.NewTexts->OnNewText(listedPath, encoding, before, after);
    return result;
}
