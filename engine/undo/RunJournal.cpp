#include "engine/undo/RunJournal.h"

#include <cstdio>

#include "engine/undo/JournalText.h"
#include "engine/undo/KeptRuns.h"
#include "platform/PathRules.h"
#include "platform/StateLocation.h"

namespace {

// The run's start, readable and in the order of time: "20250609-143012".
std::string IdOf(std::int64_t seconds)
{
    return LocalTimeText(seconds, "%04d%02d%02d-%02d%02d%02d");
}

// A folder of its own for the run: runs started in the same second get a number after
// the time, two digits so that the names keep their order.
bool MakeRunFolder(const std::string& runs, std::int64_t started, RunFolder& folder)
{
    const std::string id = IdOf(started);
    for (int number = 1; number < 100; ++number) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "-%02d", number);
        folder = RunFolder(runs, number == 1 ? id : id + suffix);
        if (platform::MakeFolder(folder.Path))
            return true;
        if (!platform::PathExists(folder.Path))
            return false;
    }
    return false;
}

}  // namespace

RunJournal::~RunJournal()
{
    Close(false);
}

bool RunJournal::Open(const std::string& runs, const RunDescription& run)
{
    const std::int64_t started = platform::SecondsNow();
    if (runs.empty() || !platform::MakeFolders(runs) || !MakeRunFolder(runs, started, folder_))
        return false;
    currentFolder_ = run.Folder;
    next_ = 1;
    committed_ = 0;
    keptBytes_ = 0;
    sizes_.clear();
    platform::AppendFile facts;
    if (!lock_.TryTake(folder_.Lock()) || !platform::MakeFolder(folder_.Originals()) ||
        !originals_.Open(folder_.Originals()) || !journal_.Open(folder_.Journal()) || !facts.Open(folder_.Facts()) ||
        !facts.Append(FactLine("started", std::to_string(started)) + FactLine("folder", run.Folder) +
                      FactLine("what", run.What))) {
        journal_.Close();
        originals_.Close();
        RemoveRunFolder(folder_, &lock_);
        return false;
    }
    open_ = true;
    return true;
}

bool RunJournal::BeforeCommit(const FileCommit& commit, std::uint64_t& entry)
{
    if (!open_)
        return false;
    JournalEntry kept;
    kept.Number = next_.fetch_add(1);
    kept.Original = commit.Original;
    kept.Made = commit.Made;
    kept.Digest = commit.Digest;
    kept.Path = platform::IsAbsolutePath(commit.Path) || currentFolder_.empty()
                    ? commit.Path
                    : platform::JoinPath(currentFolder_, commit.Path);
    const std::string name = std::to_string(kept.Number);
    // A second name is the original itself, made of the name the rename then finds still
    // the file the run read (or gives up, and the original kept goes again: AfterCommit);
    // a copy is of the file as it is then.
    if (originals_.Link(commit.Path, name)) {
        kept.How = KeptAs::Link;
    } else if (platform::CopyFileWhole(commit.Path, folder_.Original(kept.Number))) {
        kept.How = KeptAs::Copy;
    } else {
        return false;
    }
    const std::lock_guard lock(appending_);
    unwritten_ += KeptLine(kept);
    sizes_.emplace(kept.Number, kept.Original.Size);
    entry = kept.Number;
    return true;
}

bool RunJournal::BeforeNames()
{
    const std::lock_guard lock(appending_);
    if (unwritten_.empty())
        return true;
    const bool written = journal_.Append(unwritten_);
    unwritten_.clear();
    return written;
}

void RunJournal::AfterCommit(std::uint64_t entry, bool committed)
{
    if (committed) {
        ++committed_;
        const std::lock_guard lock(appending_);
        if (const auto size = sizes_.find(entry); size != sizes_.end()) {
            keptBytes_ += size->second;
            sizes_.erase(size);
        }
        return;
    }
    // The original is still in its place. Its line follows the file's own, which may not
    // be written yet.
    platform::RemoveFile(folder_.Original(entry));
    const std::lock_guard lock(appending_);
    sizes_.erase(entry);
    if (unwritten_.empty())
        journal_.Append(DroppedLine(entry));
    else
        unwritten_ += DroppedLine(entry);
}

void RunJournal::Close(bool completed)
{
    if (!open_)
        return;
    open_ = false;
    if (committed_.load() == 0) {
        journal_.Close();
        originals_.Close();
        RemoveRunFolder(folder_, &lock_);
        return;
    }
    // The lines and the originals' names first, then the run's end, then the run's folder
    // in the folder of runs.
    BeforeNames();
    journal_.Sync();
    journal_.Close();
    originals_.Close();
    platform::SyncFolderOf(folder_.Original(0));
    platform::AppendFile facts;
    if (facts.Open(folder_.Facts()) &&
        facts.Append(FactLine("ended", std::to_string(platform::SecondsNow())) +
                     FactLine("outcome", completed ? "completed" : "stopped") +
                     FactLine("files", std::to_string(committed_.load())) +
                     FactLine("bytes", std::to_string(keptBytes_))))
        facts.Sync();
    facts.Close();
    platform::SyncFolderOf(folder_.Journal());
    platform::SyncFolderOf(folder_.Path);
    lock_.Release();
}
