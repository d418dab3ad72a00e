#include "engine/NewTextPlacement.h"

#include "engine/FileCommit.h"
#include "engine/NewTextReader.h"

OriginalText::OriginalText(const ReplaceJob& job, const platform::FileContent& content)
{
    if (job.NewTexts)
        text_.assign(content.Data(), content.Size());
}

FileResult PlaceNewText(const ReplaceJob& job, const std::string& listedPath, const platform::FileContent& content,
                        std::string_view before, TextEncoding encoding, std::string_view after, FileResult count,
                        bool backUp)
{
    FileResult result;
    if (!job.Preview)
        result = CommitNewText(job.AbortRequested, content.ReadPath(), after.data(), after.size(), count, backUp,
                               content.Stamp());
    else if (IsAborted(job.AbortRequested))
        result = Cancel;
    else
        result = count > 0 && !platform::CanReplace(content.ReadPath(), &content.Stamp()) ? WriteErr : count;
    if (result > 0 && job.NewTexts)
        job.NewTexts->OnNewText(listedPath, encoding, before, after);
    return result;
}
