#include "engine/run/RunReplace.h"

#include <memory>
#include <set>
#include <unordered_set>
#include <vector>

#include "engine/rewrite/CommitWaitingRoom.h"
#include "engine/rewrite/DerivedNames.h"
#include "engine/rewrite/FileText.h"
#include "engine/run/FileWorkers.h"
#include "engine/run/FolderSync.h"
#include "engine/rewrite/ProcessedFiles.h"
#include "engine/rewrite/ReplaceAllPatterns.h"
#include "engine/rewrite/ReplaceInFile.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunObserver.h"
#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"

namespace {

// A file opened by the worker that takes it before its turn to claim it comes, so that the
// claim is of the file that is read and needs no look at its name of its own.
struct OpenedFile {
    platform::FileReader File;
    FileResult Opened = 0;
};

// A file met again under another name, through a link or spelled otherwise, has had its
// rewrite (its claim failed): it is not read again, so no pattern is applied to its own
// output. One that could not be opened claims nothing and tells why.
bool ClaimOpened(const OpenedFile& file, ProcessedFiles& processed)
{
    if (file.Opened != 0)
        return true;
    return processed.Claim(file.File.Stamp());
}

// With backups on, which listed files are the backups of other listed files (as a walk
// that lets every extension in lists them after an earlier run): rewriting one while the
// other's backup replaces it would make the outcome depend on the order of the workers.
// Names are compared as the file list compares them.
std::vector<bool> BackupsOfListedFiles(const ReplaceJob& job)
{
    std::vector<bool> backups(job.Files.size());
    if (!job.BackUp)
        return backups;
    std::unordered_set<std::string> listed;
    for (const std::string& path : job.Files)
        listed.insert(LowerAsciiLetters(path));
    const std::size_t suffix = BackupPathOf(std::string()).size();
    for (std::size_t i = 0; i < job.Files.size(); ++i) {
        const std::string path = LowerAsciiLetters(job.Files[i]);
        backups[i] = path.size() > suffix && BackupPathOf(path.substr(0, path.size() - suffix)) == path &&
                     listed.count(path.substr(0, path.size() - suffix)) > 0;
    }
    return backups;
}

FileResult ReplaceOneFile(const ReplaceJob& job, const std::string& path, OpenedFile& file, ProcessedFiles& processed,
                          FileFacts& facts)
{
    if (file.Opened != 0)
        return file.Opened;
    // A rewritten file is a new file under the old name, which the commit claims too.
    return job.AllAuto ? ReplaceAllPatterns(job, path, file.File, &facts, &processed)
                       : ReplaceInFile(job, path, file.File, job.Pattern, facts, &processed);
}

// The new files of the outcomes that have one take their names, their data flushed
// together first; each outcome then tells how its commit went.
void PutWaitingInPlace(std::span<FileOutcome* const> outcomes)
{
    std::vector<WaitingCommit*> waiting;
    for (FileOutcome* outcome : outcomes)
        if (outcome->Waiting)
            waiting.push_back(outcome->Waiting.get());
    if (waiting.empty())
        return;
    const std::vector<FileResult> results = PutInPlaceTogether(waiting);
    std::size_t next = 0;
    for (FileOutcome* outcome : outcomes)
        if (outcome->Waiting) {
            outcome->Result = results[next++];
            outcome->Waiting.reset();
        }
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
    job.Encodings.Begin(count);
    ProcessedFiles processed(count);
    observer.OnProgress(0, count);
    std::size_t done = 0;
    FileWork work;
    work.GoOn = [&] { return !job.IsAborted(); };
    // Each file opened by its worker; only the open ones of the workers' files are held.
    std::vector<std::unique_ptr<OpenedFile>> opened(count);
    const std::vector<bool> backups = BackupsOfListedFiles(job);
    work.Prepare = [&](std::size_t index) {
        opened[index] = std::make_unique<OpenedFile>();
        opened[index]->Opened =
            backups[index] ? BackupOfListed : OpenFileText(job.Files[index], opened[index]->File);
    };
    // Claimed in list order, so that of two names of one file the first listed is rewritten
    // whichever worker comes first.
    work.Take = [&](std::size_t index) { return ClaimOpened(*opened[index], processed); };
    work.Work = [&](std::size_t index, bool claimed) {
        const std::unique_ptr<OpenedFile> file = std::move(opened[index]);
        FileOutcome outcome;
        // The new file waits for the ones written after it, to reach the disk with them.
        CommitWaitingRoom room;
        if (claimed) {
            outcome.Result = ReplaceOneFile(job, job.Files[index], *file, processed, outcome.Facts);
            outcome.ReadPath = file->File.ReadPath();
        }
        outcome.Waiting = room.Leave();
        return outcome;
    };
    // A preview puts nothing in place, and its outcomes go on as they come.
    if (!job.Preview)
        work.Settle = [&](std::span<FileOutcome* const> outcomes) { PutWaitingInPlace(outcomes); };
    // The folders files were renamed into, each made durable once after the last rename.
    std::set<std::string> renamedInto;
    work.Deliver = [&](std::size_t index, const FileOutcome& outcome) {
        if (outcome.Result > 0 && !job.Preview)
            renamedInto.insert(outcome.ReadPath);
        observer.OnFileResult(
            {index, job.Files[index], outcome.Result, outcome.Facts.Encoding, outcome.Facts.EncodingGuessed});
        if (!job.IsAborted())
            observer.OnProgress(++done, count);
    };
    // A reader of the new texts hears of them as they are made: one worker keeps them in
    // list order.
    WorkOnFiles(count, job.NewTexts ? 1 : WorkerCount(job.Workers, count), work);
    SyncFoldersOf(renamedInto);
    return job.IsAborted() ? RunOutcome::Aborted : RunOutcome::Completed;
}

RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunObserver& observer)
{
    LoggingObserver logging(log, observer);
    const RunOutcome outcome = RunReplace(job, logging);
    log.FinishLog();
    return outcome;
}
