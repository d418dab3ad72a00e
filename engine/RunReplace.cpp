#include "engine/RunReplace.h"

#include "engine/DerivedNames.h"
#include "engine/ReplaceAllPatterns.h"
#include "engine/ReplaceInFile.h"
#include "engine/ResultLog.h"
#include "engine/RunObserver.h"
#include "platform/FileSystem.h"

namespace {

// A file named through a symbolic link is rewritten where it lies, and the link stays:
// the read tells where the file lies.
FileResult ReplaceOneFile(const ReplaceJob& job, const std::string& path, FileFacts& facts)
{
    const FileResult result =
        job.AllAuto ? ReplaceAllPatterns(job, path, &facts) : ReplaceInFile(job, path, job.Pattern, &facts);
    if (result < 0 && !job.Preview)
        platform::RemoveFile(TemporaryPathOf(platform::FileBehindLinks(path)));
    return result;
}

// Writes each result into the log before passing it on.
class LoggingObserver final : public RunObserver {
public:
    LoggingObserver(ResultLog& log, RunObserver& next) : log_(log), next_(next) {}

    void OnProgress(std::size_t done, std::size_t count) override { next_.OnProgress(done, count); }
    void OnFileResult(const FileReport& file) override
    {
        log_.AddLogLine(file.Path, file.Result);
        next_.OnFileResult(file);
    }

private:
    ResultLog& log_;
    RunObserver& next_;
};

}  // namespace

RunOutcome RunReplace(const ReplaceJob& job, RunObserver& observer)
{
    const std::size_t count = job.Files.size();
    observer.OnProgress(0, count);
    std::size_t done = 0;
    for (std::size_t index = 0; index < count; ++index) {
        if (job.IsAborted())
            break;
        const std::string& path = job.Files[index];
        FileFacts facts;
        const FileResult result = ReplaceOneFile(job, path, facts);
        observer.OnFileResult({index, path, result, facts.Encoding});
        if (!job.IsAborted())
            observer.OnProgress(++done, count);
    }
    return job.IsAborted() ? RunOutcome::Aborted : RunOutcome::Completed;
}

RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunObserver& observer)
{
    LoggingObserver logging(log, observer);
    const RunOutcome outcome = RunReplace(job, logging);
    log.FinishLog();
    return outcome;
}
