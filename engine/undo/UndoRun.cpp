#include "engine/undo/UndoRun.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "engine/flow/ContentDigest.h"
#include "engine/rewrite/DerivedNames.h"
#include "engine/run/FileWorkers.h"
#include "engine/run/FolderSync.h"
#include "engine/undo/JournalText.h"
#include "engine/undo/KeptRuns.h"
#include "platform/FileReader.h"
#include "platform/StateLocation.h"
#include "platform/UndoFiles.h"

namespace {

constexpr std::size_t ReadBlock = 1 << 20;

struct ReadDigest {
    platform::FileStamp Stamp;
    std::uint64_t Digest;
};

// What `path` holds and which file it is; nullopt when it cannot be read.
std::optional<ReadDigest> DigestOfFile(const std::string& path, std::unique_ptr<char[]>& buffer)
{
    platform::FileReader file;
    if (file.Open(path) != platform::ReadStatus::Ok)
        return std::nullopt;
    if (!buffer)
        buffer.reset(new char[ReadBlock]);
    ContentDigest digest;
    for (std::uint64_t at = 0;;) {
        std::size_t got = 0;
        if (!file.ReadAt(at, buffer.get(), ReadBlock, got))
            return std::nullopt;
        digest.Add(buffer.get(), got);
        at += got;
        if (got < ReadBlock)
            break;
    }
    return ReadDigest{file.Stamp(), digest.Value()};
}

bool SameFile(const platform::FileStamp& a, const platform::FileStamp& b)
{
    return a.Volume == b.Volume && a.Index == b.Index;
}

// One run's files taken back by several workers: their notes of what was restored go to
// the run's folder one at a time.
class TakingBack {
public:
    TakingBack(const UndoJob& job, const KeptRun& run) : job_(job), run_(run)
    {
        before_.insert(run.Restored.begin(), run.Restored.end());
    }

    bool OpenNotes() { return job_.Preview || notes_.Open(job_.Run.Undone()); }

    // The result for entry `index`, or nullopt for a file the run never put in place.
    std::optional<UndoResult> TakeBack(std::size_t index)
    {
        std::unique_ptr<char[]> buffer;
        const JournalEntry& entry = run_.Entries[index];
        const std::string original = job_.Run.Original(entry.Number);
        if (before_.count(entry.Number))
            return UndoResult::RestoredBefore;
        const std::optional<platform::FileStamp> now = platform::StampOfName(entry.Path);
        if (now && SameFile(*now, entry.Original)) {
            // The original under its name: the run was stopped before its rename (the
            // journal still holds a second name of it), or an undo put it back and was
            // stopped before it noted so.
            if (platform::StampOfName(original))
                return std::nullopt;
            return UndoResult::RestoredBefore;
        }
        if (!now)
            return platform::PathExists(entry.Path) ? UndoResult::Changed : UndoResult::Missing;
        if (*now != entry.Made)
            return CopiedBackBefore(entry, *now, original, buffer) ? UndoResult::RestoredBefore : UndoResult::Changed;
        // The stamp cannot tell a change that kept the size and the time: the content does.
        const std::optional<ReadDigest> read = DigestOfFile(entry.Path, buffer);
        if (!read)
            return UndoResult::NotOpen;
        if (read->Stamp != entry.Made || read->Digest != entry.Digest)
            return UndoResult::Changed;
        // A second name of the file the run read is the file its backup, or another of its
        // names, is too: written in place through one of them since, it no longer holds what
        // the file held.
        const std::optional<platform::FileStamp> kept = platform::StampOfName(original);
        if (!kept || (entry.How == KeptAs::Link && (kept->Size != entry.Original.Size ||
                                                    kept->Modified != entry.Original.Modified)))
            return UndoResult::NotKept;
        // The run gave the file the original's access; changed since (closed to others, given
        // away), it is the user's now, as a change of its content would make it.
        if (!platform::SameAccess(entry.Path, original))
            return UndoResult::Changed;
        if (job_.Preview)
            return UndoResult::Restored;
        if (!PutBack(entry, original))
            return UndoResult::WriteErr;
        SeparateBackup(entry.Path);
        Note(entry.Number);
        if (entry.How == KeptAs::Copy)
            platform::RemoveFile(original);
        return UndoResult::Restored;
    }

    void Finish(bool completed)
    {
        if (job_.Preview)
            return;
        if (completed)
            notes_.Append(FactLine("finished", std::to_string(platform::SecondsNow())));
        notes_.Sync();
    }

private:
    // A second name goes back under the file's name as it is; a copy is copied beside the
    // file first, so that the file changes in one step too.
    static bool PutBack(const JournalEntry& entry, const std::string& original)
    {
        if (entry.How == KeptAs::Link)
            return platform::PutBack(original, entry.Path, entry.Made);
        const std::string temporary = TemporaryPathOf(entry.Path);
        if (!platform::RemoveLeftover(temporary) || !platform::CopyFileWhole(original, temporary))
            return false;
        if (platform::PutBack(temporary, entry.Path, entry.Made))
            return true;
        platform::RemoveFile(temporary);
        return false;
    }

    // A backup the run made as a second name of the original is one file with it again once
    // the original is back: what is written into the file in place would change the backup
    // too. The backup gets a file of its own, with the same content and attributes.
    static void SeparateBackup(const std::string& path)
    {
        const std::string backup = BackupPathOf(path);
        const std::optional<platform::FileStamp> kept = platform::StampOfName(backup);
        const std::optional<platform::FileStamp> file = platform::StampOfName(path);
        if (!kept || !file || !SameFile(*kept, *file))
            return;
        const std::string temporary = TemporaryPathOf(backup);
        if (!platform::RemoveLeftover(temporary) || !platform::CopyFileWhole(backup, temporary))
            return;
        if (!platform::PutBack(temporary, backup, *kept))
            platform::RemoveFile(temporary);
    }

    // A copy put back by an undo stopped before it noted so: the copy's size and time,
    // and its content.
    static bool CopiedBackBefore(const JournalEntry& entry, const platform::FileStamp& now,
                                 const std::string& original, std::unique_ptr<char[]>& buffer)
    {
        if (entry.How != KeptAs::Copy || now.Size != entry.Original.Size || now.Modified != entry.Original.Modified)
            return false;
        const std::optional<ReadDigest> file = DigestOfFile(entry.Path, buffer);
        const std::optional<ReadDigest> kept = DigestOfFile(original, buffer);
        return file && kept && file->Digest == kept->Digest;
    }

    void Note(std::uint64_t number)
    {
        const std::lock_guard lock(noting_);
        notes_.Append(FactLine("restored", std::to_string(number)));
    }

    const UndoJob& job_;
    const KeptRun& run_;
    std::set<std::uint64_t> before_;
    platform::AppendFile notes_;
    std::mutex noting_;
};

// A result as the workers hand it on: the result's value, or -1 for no line at all.
constexpr FileResult NoLine = -1;

class LoggingUndo final : public UndoObserver {
public:
    LoggingUndo(UndoLog& log, UndoObserver& next) : log_(log), next_(next) {}
    void OnProgress(std::size_t done, std::size_t count) override { next_.OnProgress(done, count); }
    void OnFileUndone(const UndoReport& file) override
    {
        log_.AddLogLine(file.Path, file.Result);
        next_.OnFileUndone(file);
    }

private:
    UndoLog& log_;
    UndoObserver& next_;
};

}  // namespace

UndoOutcome UndoRun(const UndoJob& job, UndoObserver& observer)
{
    platform::ExclusiveLock lock;
    if (!lock.TryTake(job.Run.Lock()))
        return platform::IsFolder(job.Run.Path) ? UndoOutcome::InUse : UndoOutcome::NotARun;
    std::optional<KeptRun> run = ReadRun(job.Run);
    if (!run)
        return UndoOutcome::NotARun;
    // The files as the user finds them in a listing, whatever order the run's workers
    // put them in place.
    std::stable_sort(run->Entries.begin(), run->Entries.end(),
                     [](const JournalEntry& a, const JournalEntry& b) { return a.Path < b.Path; });
    TakingBack taking(job, *run);
    if (!taking.OpenNotes())
        return UndoOutcome::NotARun;
    const std::size_t count = run->Entries.size();
    observer.OnProgress(0, count);
    std::size_t done = 0;
    std::set<std::string> restored;
    FileWork work;
    work.GoOn = [&] { return !IsAborted(job.AbortRequested); };
    work.Take = [](std::size_t) { return true; };
    work.Work = [&](std::size_t index, bool) {
        const std::optional<UndoResult> result = taking.TakeBack(index);
        FileOutcome outcome;
        outcome.Result = result ? static_cast<FileResult>(*result) : NoLine;
        return outcome;
    };
    work.Deliver = [&](std::size_t index, const FileOutcome& outcome) {
        const std::string& path = run->Entries[index].Path;
        if (outcome.Result != NoLine) {
            const auto result = static_cast<UndoResult>(outcome.Result);
            if (result == UndoResult::Restored && !job.Preview)
                restored.insert(path);
            observer.OnFileUndone({index, path, result});
        }
        if (!IsAborted(job.AbortRequested))
            observer.OnProgress(++done, count);
    };
    const bool completed = WorkOnFiles(count, WorkerCount(job.Workers, count), work) == count;
    SyncFoldersOf(restored);
    taking.Finish(completed);
    return completed ? UndoOutcome::Completed : UndoOutcome::Aborted;
}

UndoOutcome UndoRun(const UndoJob& job, UndoLog& log, UndoObserver& observer)
{
    log.ResetLog();
    LoggingUndo logging(log, observer);
    const UndoOutcome outcome = UndoRun(job, logging);
    log.FinishLog();
    return outcome;
}
