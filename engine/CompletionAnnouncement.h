#pragma once

class EngineSettings;

// Where the result log is shown to the user; the main window plugs in its log dialog.
class ResultLogViewer {
public:
    virtual ~ResultLogViewer() = default;
    // Shows the log modally and returns when the user has closed it.
    virtual void ShowResultLog() = 0;
};

// The end of a run started from the window: the completion sound (PlayWave, or the
// default beep when it is empty), then the log when ShowLog is on. Null settings read
// every setting as its default.
void AnnounceCompletion(const EngineSettings* settings, ResultLogViewer& viewer);
