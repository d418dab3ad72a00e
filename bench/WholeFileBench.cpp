#include "bench/WholeFileBench.h"

#include <cstdint>
#include <utility>

#include "bench/BenchFile.h"
#include "engine/rewrite/ReplaceInFile.h"

void RegisterBenchmark(const std::string& name, std::function<void(benchmark::State&)> run)
{
    benchmark::RegisterBenchmark(name.c_str(), std::move(run))->Unit(benchmark::kMillisecond);
}

void TimeReplaceInFile(benchmark::State& state, const ReplaceJob& job, const ShiftJisText& text,
                       const std::string& find, const std::string& replace, PatternOptions options)
{
    const BenchFile file(text.Bytes);
    for (auto _ : state)
        if (ReplaceInFile(job, file.Path(), {find, replace, options}) != static_cast<FileResult>(text.Planted)) {
            state.SkipWithError("unexpected result");
            break;
        }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.Bytes.size()));
}
