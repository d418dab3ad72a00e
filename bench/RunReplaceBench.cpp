// A single-pattern run over 10,000 Shift-JIS files of 4 KiB, against the least any
// rewrite of them must do: read each file, write a temporary file and rename it over the
// original.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/ShiftJisText.h"
#include "engine/rewrite/ReplaceJob.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunObserver.h"
#include "engine/run/RunReplace.h"
#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"

namespace {

constexpr int FileCount = 10000;
constexpr std::size_t FileSize = 4096;
constexpr std::size_t PlantInterval = 1300;
// Neither occurs in the generated text unless planted; the same length, so that turning
// the replacements back restores the files exactly.
const std::string Planted = "都庁";
const std::string Replacement = "鬱ラ";

// Exactly FileSize bytes, cut at a character start.
std::string FileText()
{
    std::string text = MakeShiftJisText(FileSize, Planted, PlantInterval).Bytes;
    std::size_t end = 0;
    while (end + CharacterLength(text, end) <= FileSize)
        end += CharacterLength(text, end);
    text.resize(end);
    text.append(FileSize - end, ' ');
    return text;
}

class FileSet {
public:
    FileSet() : folder_(std::filesystem::temp_directory_path() / "tarvelox-run-bench")
    {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        const std::string text = FileText();
        for (int i = 0; i < FileCount; ++i) {
            paths_.push_back((folder_ / ("file" + std::to_string(i) + ".txt")).string());
            platform::WriteWholeFile(paths_.back(), text.data(), text.size());
        }
    }
    ~FileSet() { std::filesystem::remove_all(folder_); }

    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::filesystem::path folder_;
    std::vector<std::string> paths_;
};

const FileSet& Files()
{
    static const FileSet files;
    return files;
}

void CountBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * FileCount * FileSize);
}

void IoFloor(benchmark::State& state)
{
    const std::vector<std::string>& paths = Files().Paths();
    for (auto _ : state) {
        for (const std::string& path : paths) {
            platform::FileContent content;
            platform::ReadWholeFile(path, content);
            const std::string temporary = path + ".tmp";
            platform::WriteWholeFile(temporary, content.Data(), content.Size());
            std::rename(temporary.c_str(), path.c_str());
        }
    }
    CountBytes(state);
}

void Run(benchmark::State& state, const std::string& find, const std::string& replace, std::int64_t expected,
         bool turnBack)
{
    ReplaceJob job;
    job.Files = Files().Paths();
    RunObserver unseen;
    ResultLog log;
    bool forth = true;
    for (auto _ : state) {
        job.Pattern = forth ? ReplacePattern{find, replace, 0} : ReplacePattern{replace, find, 0};
        forth = !turnBack || !forth;
        log.ResetLog();
        RunReplace(job, log, unseen);
        if (log.Total() != expected) {
            state.SkipWithError("unexpected number of replacements");
            break;
        }
    }
    CountBytes(state);
}

void RunWithMatches(benchmark::State& state)
{
    const std::size_t perFile = MakeShiftJisText(FileSize, Planted, PlantInterval).Planted;
    // Every other run turns the replacements back, so each run finds the same text.
    Run(state, Planted, Replacement, static_cast<std::int64_t>(perFile) * FileCount, true);
}

void RunWithoutMatches(benchmark::State& state)
{
    Run(state, "Q#", "x", 0, false);
}

}  // namespace

// Real time: the work is waiting for the file system as much as computing. An even
// number of runs leaves the files as they were made.
BENCHMARK(IoFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(RunWithMatches)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(RunWithoutMatches)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
