#include "cli/ConsoleProgress.h"

#include <time.h>

#include "app/ProgressText.h"

namespace {

// Often enough to look alive, seldom enough to cost nothing next to the files.
constexpr long long ProgressIntervalMs = 100;

long long MonotonicMs()
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Back to the start of the line and clear it.
constexpr const char* ClearLine = "\r\x1b[K";

}  // namespace

void ConsoleProgress::OnProgress(std::size_t done, std::size_t count)
{
    if (!showProgress_)
        return;
    const long long now = MonotonicMs();
    if (lastShownMs_ != 0 && now - lastShownMs_ < ProgressIntervalMs)
        return;
    std::fprintf(stream_, "%starvelox: %s", ClearLine, ProgressText(done, count).c_str());
    std::fflush(stream_);
    progressShown_ = true;
    lastShownMs_ = now;
}

void ConsoleProgress::Clear()
{
    if (!progressShown_)
        return;
    std::fputs(ClearLine, stream_);
    std::fflush(stream_);
    progressShown_ = false;
}

void ConsoleProgress::Finish(const std::string& line)
{
    Clear();
    if (!line.empty())
        std::fprintf(stream_, "tarvelox: %s\n", line.c_str());
    std::fflush(stream_);
}
