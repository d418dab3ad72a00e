#pragma once
// What the native command shows while it runs: a progress line on standard error when
// that is a terminal, and the message of a run that cannot start.
#include <cstdio>
#include <string>

#include "engine/RunDisplay.h"

class ConsoleRunDisplay final : public RunDisplay {
public:
    ConsoleRunDisplay(std::FILE* stream, bool showProgress) : stream_(stream), showProgress_(showProgress) {}

    void WaitForProgressDisplay() override {}
    void SetProgressText(const std::string& text) override;
    void EndProgressWithOk() override {}
    void ReportMissingRegexLibrary() override;

    bool ReportedMissingLibrary() const { return reportedMissingLibrary_; }
    // Puts the last line in place of the progress line.
    void Finish(const std::string& line);

private:
    std::FILE* stream_;
    bool showProgress_;
    bool reportedMissingLibrary_ = false;
    bool progressShown_ = false;
    long long lastShownMs_ = 0;
};
