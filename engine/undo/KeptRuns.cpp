#include "engine/undo/KeptRuns.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/StateLocation.h"
#include "platform/UndoFiles.h"

namespace {

std::string TextOf(const std::string& path)
{
    platform::FileContent content;
    if (platform::ReadWholeFile(path, content) != platform::ReadStatus::Ok)
        return std::string();
    return std::string(content.Data(), content.Size());
}

std::int64_t NumberOf(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

bool IsInUse(const RunFolder& folder)
{
    platform::ExclusiveLock lock;
    return !lock.TryTake(folder.Lock());
}

}  // namespace

std::string LocalTimeText(std::int64_t seconds, const char* format)
{
    const platform::LocalTime time = platform::LocalTimeOf(seconds);
    char text[64];
    std::snprintf(text, sizeof text, format, time.Year, time.Month, time.Day, time.Hour, time.Minute, time.Second);
    return text;
}

std::optional<KeptRun> ReadRun(const RunFolder& folder, RunReading reading)
{
    if (!platform::IsFolder(folder.Path))
        return std::nullopt;
    KeptRun run;
    run.Folder = folder;
    bool started = false;
    std::optional<std::uint64_t> files, bytes;
    for (const auto& [key, value] : ReadFactLines(TextOf(folder.Facts()))) {
        if (key == "started") {
            run.Started = NumberOf(value);
            started = true;
        } else if (key == "folder") {
            run.CurrentFolder = value;
        } else if (key == "what") {
            run.What = value;
        } else if (key == "ended") {
            run.Ended = NumberOf(value);
        } else if (key == "outcome") {
            run.Completed = value == "completed";
        } else if (key == "files") {
            files = static_cast<std::uint64_t>(NumberOf(value));
        } else if (key == "bytes") {
            bytes = static_cast<std::uint64_t>(NumberOf(value));
        }
    }
    if (!started)
        return std::nullopt;
    if (reading == RunReading::Counts && files && bytes) {
        run.Files = static_cast<std::size_t>(*files);
        run.OriginalBytes = *bytes;
    } else {
        run.Entries = ReadJournalText(TextOf(folder.Journal()));
        run.Files = run.Entries.size();
        for (const JournalEntry& entry : run.Entries)
            run.OriginalBytes += entry.Original.Size;
    }
    for (const auto& [key, value] : ReadFactLines(TextOf(folder.Undone()))) {
        if (key == "restored")
            run.Restored.push_back(static_cast<std::uint64_t>(NumberOf(value)));
        else if (key == "finished")
            run.UndoFinished = true;
    }
    run.InUse = IsInUse(folder);
    return run;
}

std::vector<KeptRun> ListRuns(const std::string& runs, RunReading reading)
{
    std::vector<platform::FolderEntry> entries;
    std::vector<KeptRun> kept;
    if (runs.empty() || !platform::ListFolder(runs, entries))
        return kept;
    for (const platform::FolderEntry& entry : entries)
        if (entry.Kind == platform::EntryKind::Folder)
            if (std::optional<KeptRun> run = ReadRun(RunFolder(runs, entry.Name), reading))
                kept.push_back(std::move(*run));
    // The names are the runs' starts, in the order of time.
    std::sort(kept.begin(), kept.end(), [](const KeptRun& a, const KeptRun& b) { return a.Folder.Id > b.Folder.Id; });
    return kept;
}

std::optional<KeptRun> LastRun(const std::string& runs)
{
    std::vector<KeptRun> kept = ListRuns(runs);
    // A run that kept nothing was killed before its first file: nothing to take back.
    std::erase_if(kept, [](const KeptRun& run) { return run.Entries.empty() && !run.InUse; });
    if (kept.empty())
        return std::nullopt;
    return std::move(kept.front());
}

void PruneRuns(const std::string& runs, const RunLimits& limits)
{
    std::size_t count = 0;
    std::uint64_t bytes = 0;
    for (const KeptRun& run : ListRuns(runs, RunReading::Counts)) {
        if (run.InUse)
            continue;
        const bool newest = count == 0 && run.Files > 0;
        if (run.Files > 0 && (newest || (count < limits.Runs && bytes + run.OriginalBytes <= limits.Bytes))) {
            ++count;
            bytes += run.OriginalBytes;
            continue;
        }
        // Taken, so that no undo starts on it while it goes.
        platform::ExclusiveLock lock;
        if (lock.TryTake(run.Folder.Lock()))
            RemoveRunFolder(run.Folder, &lock);
    }
}

bool RemoveRunFolder(const RunFolder& folder, platform::ExclusiveLock* lock)
{
    const std::string originals = folder.Originals();
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(originals, entries);
    for (const platform::FolderEntry& entry : entries)
        platform::RemoveFile(platform::JoinPath(originals, entry.Name));
    platform::RemoveFolder(originals);
    for (const std::string& file : {folder.Journal(), folder.Undone(), folder.Facts()})
        platform::RemoveFile(file);
    // The lock goes last, and the folder with it: some systems keep a file that is open.
    if (lock)
        lock->Release();
    platform::RemoveFile(folder.Lock());
    return platform::RemoveFolder(folder.Path);
}
