#include "engine/rewrite/NewTextSink.h"

#include "engine/rewrite/CommitWaitingRoom.h"
#include "engine/rewrite/NewTextPlacement.h"

NewTextSink::NewTextSink(const ReplaceJob& job, platform::FileReader& file)
    : job_(job), file_(file), readPath_(file.ReadPath()), stamp_(file.Stamp())
{
}

TextOutput& NewTextSink::Restart()
{
    if (job_.NewTexts) {
        after_.clear();
        return kept_.emplace(after_);
    }
    if (job_.Preview)
        return dropped_;
    toFile_ = std::make_unique<TemporaryFileOutput>(readPath_, stamp_, job_.Commits);
    return *toFile_;
}

FileResult NewTextSink::Place(const std::string& listedPath, TextEncoding encoding, FileResult count, bool backUp,
                              ProcessedFiles* processed)
{
    const ReadFile read{readPath_, stamp_};
    std::string before;
    if (job_.NewTexts && count > 0) {
        before.resize(static_cast<std::size_t>(file_.Size()));
        std::size_t got = 0;
        if (!file_.ReadAt(0, before.data(), before.size(), got) || got != before.size())
            return NotOpen;
    }
    // Let go before the file is replaced, which some systems refuse while it is open.
    file_.Close();
    if (job_.NewTexts)
        return PlaceNewText(job_, listedPath, read, before, encoding, after_, count, backUp, processed);
    if (job_.Preview)
        return PreviewResult(job_, read, count, backUp);
    if (!toFile_)
        toFile_ = std::make_unique<TemporaryFileOutput>(readPath_, stamp_, job_.Commits);
    return CommitOrWait(std::move(toFile_), job_.AbortRequested, count, backUp, processed);
}
