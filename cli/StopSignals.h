#pragma once
// SIGINT, SIGTERM, SIGHUP and SIGPIPE stop a run as the window's abort button does: the file in
// progress keeps its content, no file after it is started, and the log of the files done
// is still written. A second signal changes nothing: the stop is already on its way.
#include "engine/flow/AbortFlag.h"

class StopSignals {
public:
    // Catches the signals into `abort` for as long as this object lives.
    explicit StopSignals(AbortFlag& abort);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first of the signals that came, or 0.
    int Received() const;
};
