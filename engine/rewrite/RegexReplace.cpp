#include "engine/rewrite/RegexReplace.h"

#include "engine/regex/BregexpLibrary.h"
#include "engine/text/EncodingDetection.h"
#include "engine/rewrite/EngineSettings.h"
#include "engine/rewrite/FileText.h"
#include "engine/rewrite/NewTextPlacement.h"
#include "engine/regex/RegexRewrite.h"
#include "engine/rewrite/CommitWaitingRoom.h"
#include "platform/FileView.h"

namespace {

// The rewrite of the viewed text into `out`, `wellFormed` as detection read it; with
// `original`, the text as it was read is kept there. The view is closed at the end, since a
// mapped file cannot be replaced everywhere.
FileResult RewriteView(const ReplaceJob& job, platform::FileView& view, const EncodedPattern& pattern,
                       bool wellFormed, TextOutput& out, std::string* original)
{
    FileResult count;
    {
        RegexRewrite rewrite(*job.RegexLibrary);
        if (wellFormed)
            rewrite.TakeTextAsWellFormed();
        count = rewrite.Apply(job.AbortRequested, view.Data(), view.Size(), pattern, LibrarySubstitutes(job), out);
    }
    if (original && count > 0)
        original->assign(view.Data(), view.Size());
    // A file cut short while it was read gave zeros for its lost bytes: the text was not
    // the file's.
    const bool lost = view.LostBytes();
    view.Close();
    if (lost && count > 0 && !IsAborted(job.AbortRequested))
        return WriteErr;
    return count;
}

// The rewrite of a file whose text `view` shows.
FileResult RewriteViewedFile(const ReplaceJob& job, const std::string& path, platform::FileView& view,
                             const ReplacePattern& pattern, FileFacts& facts, ProcessedFiles* processed)
{
    if (view.Size() == 0)
        return 0;
    const DetectedEncoding detected = job.Encodings.Of(job, path, {view.Data(), view.Size()});
    facts.Set(detected);
    const TextEncoding encoding = detected.Encoding;
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    const EncodedPattern& encoded = job.EncodedPatterns.Get(pattern, encoding);
    const std::string readPath = view.ReadPath();
    const platform::FileStamp stamp = view.Stamp();
    const ReadFile read{readPath, stamp};
    if (job.Preview && !job.NewTexts) {
        DroppedOutput nowhere;
        const FileResult count = RewriteView(job, view, encoded, detected.WellFormed, nowhere, nullptr);
        return count < 0 ? count : PreviewResult(job, read, count, job.BackUp);
    }
    if (!job.NewTexts) {
        // The new text goes to the temporary file as it is made, so that neither it nor a
        // copy of the old text needs memory.
        auto output = std::make_unique<TemporaryFileOutput>(readPath, stamp, job.Commits);
        const FileResult count = RewriteView(job, view, encoded, detected.WellFormed, *output, nullptr);
        return count < 0 ? count : CommitOrWait(std::move(output), job.AbortRequested, count, job.BackUp, processed);
    }
    // Shown to a reader: both texts are kept until it has seen them.
    std::string before, after;
    StringOutput kept(after);
    const FileResult count = RewriteView(job, view, encoded, detected.WellFormed, kept, &before);
    if (count < 0)
        return count;
    return PlaceNewText(job, path, read, before, encoding, after, count, job.BackUp, processed);
}

}  // namespace

bool HasRegexLibrary(const ReplaceJob& job)
{
    return job.RegexLibrary && job.RegexLibrary->IsLoaded();
}

bool LibrarySubstitutes(const ReplaceJob& job)
{
    return job.Settings && job.Settings->ReadBregexp() != 0;
}

FileResult ReplaceRegexInFile(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                              const ReplacePattern& pattern, FileFacts& facts, ProcessedFiles* processed)
{
    if (!HasRegexLibrary(job))
        return RegExpER;
    platform::FileView view;
    const FileResult opened = ResultOfReading(view.Open(file));
    // Let go at once: the view needs it no longer, and the file cannot be replaced
    // everywhere while it is open.
    file.Close();
    if (opened != 0)
        return opened;
    return RewriteViewedFile(job, path, view, pattern, facts, processed);
}
