#pragma once
// What the native command shows while it runs: a progress line on standard error when
// that is a terminal, replaced by a last line at the end.
#include <cstdio>
#include <string>

#include "engine/run/RunObserver.h"

class ConsoleProgress final : public RunObserver {
public:
    ConsoleProgress(std::FILE* stream, bool showProgress) : stream_(stream), showProgress_(showProgress) {}

    void OnProgress(std::size_t done, std::size_t count) override;
    // Takes the progress line away, so that a line of standard output on the same terminal
    // starts at the beginning; the next progress puts it back.
    void Clear();
    // Puts the last line in place of the progress line.
    void Finish(const std::string& line);

private:
    std::FILE* stream_;
    bool showProgress_;
    bool progressShown_ = false;
    long long lastShownMs_ = 0;
};
