#pragma once
#include <string>

// The settings the engine reads while it works, each read anew at its point of use.
class EngineSettings {
public:
    virtual ~EngineSettings() = default;
    // PROCESS/Bregexp: non-zero when the library does the whole regular-expression
    // substitution.
    virtual int ReadBregexp() const = 0;
    // SETTING/ShowLog: non-zero shows the result log after a run.
    virtual int ReadShowLog() const = 0;
    // SETTING/PlayWave: the sound played when a run ends; empty means the default beep.
    virtual std::string ReadPlayWave() const = 0;
};
