#pragma once

// The settings the engine reads while it works, each read anew at its point of use.
class EngineSettings {
public:
    virtual ~EngineSettings() = default;
    // PROCESS/Bregexp: non-zero when the library does the whole regular-expression
    // substitution.
    virtual int ReadBregexp() const = 0;
};
