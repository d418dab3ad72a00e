#include "engine/RunReplace.h"

#include <algorithm>
#include <cstdio>

#include "engine/BregexpLibrary.h"
#include "engine/DerivedNames.h"
#include "engine/ReplaceAllPatterns.h"
#include "engine/RegexReplace.h"
#include "engine/ReplaceInFile.h"
#include "engine/ResultLog.h"
#include "engine/RunDisplay.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* LogFileName = "replace.log";

bool LacksNeededLibrary(const ReplaceJob& job)
{
    if (!job.AllAuto || HasRegexLibrary(job))
        return false;
    return std::any_of(job.Patterns.begin(), job.Patterns.end(),
                       [](const ReplacePattern& pattern) { return HasOption(pattern.Options, RegularExpression); });
}

std::string ProgressText(std::size_t done, std::size_t count)
{
    char text[48];
    std::snprintf(text, sizeof text, "%zu/%zu", done, count);
    return text;
}

// A file named through a symbolic link is rewritten where it lies, and the link stays:
// the read tells where the file lies.
FileResult ReplaceOneFile(const ReplaceJob& job, const std::string& path)
{
    const FileResult result = job.AllAuto ? ReplaceAllPatterns(job, path) : ReplaceInFile(job, path, job.Pattern);
    if (result < 0)
        platform::RemoveFile(TemporaryPathOf(platform::FileBehindLinks(path)));
    return result;
}

}  // namespace

RunOutcome RunReplace(const ReplaceJob& job, ResultLog& log, RunDisplay& display)
{
    if (LacksNeededLibrary(job)) {
        display.ReportMissingRegexLibrary();
        return RunOutcome::NoRegexLibrary;
    }
    const std::size_t count = job.Files.size();
    // In automatic mode there is no progress dialog to wait for; the display decides
    // whether it shows the progress at all.
    if (!job.AutomaticMode)
        display.WaitForProgressDisplay();
    display.SetProgressText(ProgressText(0, count));
    std::size_t done = 0;
    for (const std::string& path : job.Files) {
        if (job.IsAborted())
            break;
        const FileResult result = ReplaceOneFile(job, path);
        log.AddLogLine(path, result);
        if (!job.IsAborted())
            display.SetProgressText(ProgressText(++done, count));
    }
    log.FinishLog();
    if (job.AutomaticMode) {
        if (!platform::WriteWholeFile(LogFileName, log.Text().data(), log.Text().size()))
            return RunOutcome::LogFileNotWritten;
    } else if (!job.IsAborted()) {
        display.EndProgressWithOk();
    }
    return RunOutcome::Finished;
}
