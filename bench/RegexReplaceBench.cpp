// Regular-expression replacement through the shipped library, in memory and of a whole
// file, on 64 MiB of Shift-JIS text, in both ways of substituting.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>


#include "bench/WholeFileBench.h"
#include "bench/ShiftJisText.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/EngineSettings.h"
#include "engine/regex/RegexRewrite.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::size_t DenseInterval = 64;

struct Expression {
    const char* name;
    std::string find;
    std::string replace;  // the same in the library's syntax and in the own template
    std::string planted;  // what it matches in the dense text
};

// Neither occurs in the generated text unless planted.
const Expression Expressions[] = {
    {"literal", "東京都", "大阪府", "東京都"},
    {"class", "([0-9]{3})-([0-9]{4})", "$2-$1", "123-4567"},
};

const BregexpLibrary& Library()
{
    static BregexpLibrary library;
    static const bool loaded = library.Load();
    (void)loaded;
    return library;
}

class FixedBregexp : public EngineSettings {
public:
    explicit FixedBregexp(int bregexp) : bregexp_(bregexp) {}
    int ReadBregexp() const override { return bregexp_; }

private:
    int bregexp_;
};

// One handle per pass, as for one file: the compile is part of what is measured.
void RewriteInMemory(benchmark::State& state, const std::string& text, FileResult expected, const std::string& find,
                     const std::string& replace, PatternOptions options, bool librarySubstitutes)
{
    if (!Library().IsLoaded()) {
        state.SkipWithError("the library is not beside the benchmark");
        return;
    }
    const AbortFlag notAborted{false};
    for (auto _ : state) {
        RegexRewrite rewrite(Library());
        if (rewrite.Apply(notAborted, text.data(), text.size(), {find, replace, options}, librarySubstitutes) != expected) {
            state.SkipWithError("unexpected result");
            break;
        }
        benchmark::DoNotOptimize(rewrite.Data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The file keeps its content from one iteration to the next: every match is replaced by itself.
void ReplaceWholeFile(benchmark::State& state, int bregexp)
{
    const Expression& expression = Expressions[0];
    const ShiftJisText& text = SharedShiftJisText(expression.planted, DenseInterval);
    const FixedBregexp settings(bregexp);
    ReplaceJob job;
    job.RegexLibrary = &Library();
    job.Settings = &settings;
    TimeReplaceInFile(state, job, text, expression.find, "$0", RegularExpression | Kanji);
}

const bool Registered = [] {
    for (const auto& [mode, library] : {std::pair{"own", false}, std::pair{"library", true}})
        for (const bool dense : {false, true})
            for (const auto& [kanji, options] : {std::pair{"k", PatternOptions{RegularExpression | Kanji}},
                                                 std::pair{"bytes", PatternOptions{RegularExpression}}})
                for (const Expression& e : Expressions)
                    RegisterBenchmark(std::string("Regex/") + mode + (dense ? "/every64/" : "/nomatch/") + kanji + "/" + e.name,
                             [&e, options = options, library = library, dense](benchmark::State& state) {
                                 const ShiftJisText& text =
                                     dense ? SharedShiftJisText(e.planted, DenseInterval) : SharedShiftJisText({}, 0);
                                 RewriteInMemory(state, text.Bytes, static_cast<FileResult>(text.Planted), e.find,
                                                 e.replace, options, library);
                             });
    // Exponential backtracking over 1 MiB must end at the library's limits, as a failure.
    for (const auto& [mode, library] : {std::pair{"own", false}, std::pair{"library", true}})
        RegisterBenchmark(std::string("Regex/") + mode + "/runaway/1MiB", [library = library](benchmark::State& state) {
            static const std::string text = std::string(std::size_t{1} << 20, 'a') + "!";
            RewriteInMemory(state, text, RegExpER, "^(a+)+$", "x", RegularExpression, library);
        });
    for (const auto& [mode, bregexp] : {std::pair{"own", 0}, std::pair{"library", 1}})
        benchmark::RegisterBenchmark((std::string("File/ReplaceInFile/") + mode + "/every64").c_str(),
                                     [bregexp = bregexp](benchmark::State& state) {
                                         ReplaceWholeFile(state, bregexp);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();

}  // namespace
