#include "engine/RunReplace.h"

#include "engine/ProcessedFiles.h"
#include "engine/ReplaceAllPatterns.h"
#include "engine/ReplaceInFile.h"
#include "engine/ResultLog.h"
#include "engine/RunObserver.h"

namespace {

// A file met again under another name, through a link or spelled otherwise, has had its
// rewrite: it is not read again, so no pattern is applied to its own output.
FileResult ReplaceOneFile(const ReplaceJob& job, const std::string& path, ProcessedFiles& processed, FileFacts& facts)
{
    if (!processed.Claim(path))
        return 0;
    // A rewritten file is a new file under the old name, which the commit claims too.
    return job.AllAuto ? ReplaceAllPatterns(job, path, &facts, &processed)
                       : ReplaceInFile(job, path, job.Pattern, &facts, &processed);
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
    ProcessedFiles processed;
    observer.OnProgress(0, count);
    std::size_t done = 0;
    for (std::size_t index = 0; index < count; ++index) {
        if (job.IsAborted())
            break;
        const std::string& path = job.Files[index];
        FileFacts facts;
        const FileResult result = ReplaceOneFile(job, path, processed, facts);
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
