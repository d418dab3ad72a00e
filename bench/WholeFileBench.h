#pragma once
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "bench/ShiftJisText.h"
#include "engine/pattern/PatternOptions.h"
#include "engine/rewrite/ReplaceJob.h"

// Registers a case reported in milliseconds.
void RegisterBenchmark(const std::string& name, std::function<void(benchmark::State&)> run);

// Times ReplaceInFile over a file holding `text`. The replacement must give every match back
// unchanged, so that the file is the same in every iteration and each one finds
// text.Planted matches.
void TimeReplaceInFile(benchmark::State& state, const ReplaceJob& job, const ShiftJisText& text,
                       const std::string& find, const std::string& replace, PatternOptions options);
