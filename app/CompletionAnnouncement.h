#pragma once
// The end of a run started from the window: the completion sound, then the result log.

class SettingsStore;

// Where the result log is shown to the user; the main window plugs in its log dialog.
class ResultLogViewer {
public:
    virtual ~ResultLogViewer() = default;
    // Shows the log modally and returns when the user has closed it.
    virtual void ShowResultLog() = 0;
};

// Plays SETTING/PlayWave without waiting for it, or the default beep when it is empty,
// then shows the log when SETTING/ShowLog is on.
void AnnounceCompletion(const SettingsStore& settings, ResultLogViewer& viewer);
