#pragma once
#include <string>

// The windows a run reaches while it works: the progress display and the error message
// box, both owned by the main window. Called from the run's worker thread.
class RunDisplay {
public:
    virtual ~RunDisplay() = default;
    // Returns once the progress display is shown and can take its text.
    virtual void WaitForProgressDisplay() = 0;
    virtual void SetProgressText(const std::string& text) = 0;
    // Ends the progress display as if its OK command had been given.
    virtual void EndProgressWithOk() = 0;
    // A message box with an exclamation icon and an OK button; returns when it is closed.
    virtual void ShowErrorMessage(const std::string& text, const std::string& caption) = 0;
};
