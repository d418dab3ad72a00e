#pragma once
// The engine's settings as a test sets them.
#include "engine/rewrite/EngineSettings.h"

class TestSettings : public EngineSettings {
public:
    int Bregexp = 0;
    int ReadBregexp() const override { return Bregexp; }
};
