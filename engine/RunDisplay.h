#pragma once
#include <string>

// What a run shows while it works: the progress display, owned by the main window, and
// the one outcome the user must be told about at once. Called from the run's thread.
class RunDisplay {
public:
    virtual ~RunDisplay() = default;
    // Returns once the progress display is shown and can take its text.
    virtual void WaitForProgressDisplay() = 0;
    virtual void SetProgressText(const std::string& text) = 0;
    // Ends the progress display as if its OK command had been given.
    virtual void EndProgressWithOk() = 0;
    // A full-automatic run needs the regular-expression library, which is not loaded: the
    // run ends before the first file. Returns once the user has been told.
    virtual void ReportMissingRegexLibrary() = 0;
};
