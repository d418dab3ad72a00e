// Literal replacement of a text in memory and of a whole file, on 64 MiB of Shift-JIS text.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>


#include "bench/BenchFile.h"
#include "bench/WholeFileBench.h"
#include "bench/ShiftJisText.h"
#include "engine/literal/LiteralChain.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::size_t TextSize = std::size_t{64} << 20;
constexpr std::size_t DenseInterval = 64;

struct Pattern {
    const char* name;
    std::string find;
    std::string replace;  // as long as `find`
};

// None of them occurs in the generated text unless planted.
const Pattern Patterns[] = {
    {"1", "Q", "R"},
    {"2", "鬱", "憂"},
    {"8", "ラーメン", "うどん麺"},
    {"32", "東京都庁のラーメン屋はTarvelox!!", "大阪府庁のうどん屋さんもTarvelox"},
};

void RewriteInMemory(benchmark::State& state, const std::string& text, std::size_t expected, const std::string& find,
                     const std::string& replace, PatternOptions options)
{
    const AbortFlag notAborted{false};
    const EncodedPattern pattern = EncodePattern({find, replace, options}, TextEncoding::ShiftJis);
    std::string rewritten;
    for (auto _ : state) {
        rewritten.clear();
        // In the windows of a file's rewrite, a block at a time as it is read.
        if (RewriteLiteralText(notAborted, text, {&pattern}, rewritten, 0, std::size_t{1} << 20) !=
            static_cast<FileResult>(expected)) {
            state.SkipWithError("unexpected number of replacements");
            break;
        }
        benchmark::DoNotOptimize(rewritten.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Texts that make a naive search slow: most positions look like a match at first sight.
const std::string& NearMissText()
{
    static const std::string text(TextSize, 'a');
    return text;
}

// A run of lead bytes in which every occurrence of the pattern is a second byte.
const std::string& SecondBytesText()
{
    static const std::string text = [] {
        std::string pairs = "\x81";
        while (pairs.size() < TextSize)
            pairs += "\x81\x82";
        return pairs;
    }();
    return text;
}

// What any rewrite of a whole file costs at least: read it, write it anew, rename it over.
void ReadWriteRename(benchmark::State& state)
{
    const BenchFile file(SharedShiftJisText({}, 0).Bytes);
    const std::string temporary = file.Path() + ".tmp";
    for (auto _ : state) {
        platform::FileContent content;
        if (platform::ReadWholeFile(file.Path(), content) != platform::ReadStatus::Ok ||
            !platform::WriteWholeFile(temporary, content.Data(), content.Size()) ||
            std::rename(temporary.c_str(), file.Path().c_str()) != 0) {
            state.SkipWithError("file operation failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TextSize));
}

// The file keeps its content from one iteration to the next: every match is replaced by itself.
void ReplaceWholeFile(benchmark::State& state, std::size_t interval, bool backUp)
{
    const Pattern& pattern = Patterns[2];
    const ShiftJisText& text = SharedShiftJisText(pattern.find, interval);
    ReplaceJob job;
    job.BackUp = backUp;
    TimeReplaceInFile(state, job, text, pattern.find, pattern.find, NotEscape);
}

// Timed by the clock on the wall: much of the work is the system's, not the process's.
void RegisterFile(const std::string& name, std::function<void(benchmark::State&)> run)
{
    benchmark::RegisterBenchmark(name.c_str(), std::move(run))->Unit(benchmark::kMillisecond)->UseRealTime();
}

const bool Registered = [] {
    for (const bool dense : {false, true})
        for (const auto& [mode, options] : {std::pair{"exact", PatternOptions{NotEscape}},
                                            std::pair{"nocase", PatternOptions{NotEscape | NotCase}}})
            for (const Pattern& pattern : Patterns)
                RegisterBenchmark(std::string("Rewrite/") + mode + (dense ? "/every64/" : "/nomatch/") + pattern.name,
                         [&pattern, options = options, dense](benchmark::State& state) {
                             const ShiftJisText& text = dense ? SharedShiftJisText(pattern.find, DenseInterval) : SharedShiftJisText({}, 0);
                             RewriteInMemory(state, text.Bytes, text.Planted, pattern.find, pattern.replace, options);
                         });
    RegisterBenchmark("Rewrite/exact/every64/8/longer", [](benchmark::State& state) {
        const Pattern& pattern = Patterns[2];
        const ShiftJisText& text = SharedShiftJisText(pattern.find, DenseInterval);
        RewriteInMemory(state, text.Bytes, text.Planted, pattern.find, pattern.replace + "!", NotEscape);
    });
    const std::string nearMiss = std::string(15, 'a') + "b" + std::string(16, 'a');
    RegisterBenchmark("Worst/exact/nearmiss/32", [nearMiss](benchmark::State& state) {
        RewriteInMemory(state, NearMissText(), 0, nearMiss, nearMiss, NotEscape);
    });
    RegisterBenchmark("Worst/exact/secondbytes/2", [](benchmark::State& state) {
        RewriteInMemory(state, SecondBytesText(), 0, "\x81\x82", "--", NotEscape);
    });
    RegisterFile("File/ReadWriteRename", ReadWriteRename);
    RegisterFile("File/ReplaceInFile/every1MiB", [](benchmark::State& state) {
        ReplaceWholeFile(state, std::size_t{1} << 20, false);
    });
    RegisterFile("File/ReplaceInFile/every1MiB/backup", [](benchmark::State& state) {
        ReplaceWholeFile(state, std::size_t{1} << 20, true);
    });
    RegisterFile("File/ReplaceInFile/every64", [](benchmark::State& state) {
        ReplaceWholeFile(state, DenseInterval, false);
    });
    return true;
}();

}  // namespace
